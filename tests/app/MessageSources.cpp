#include "app/MessageSources.h"

#include <QRegularExpression>
#include <algorithm>

namespace vrx::test {

namespace {

// How far a text is followed before the trace gives up (and reports the message untraced).
constexpr int kMaxDepth = 16;

// Calls whose first argument is the text itself.
const QStringList kTextWrappers = {"QStringLiteral", "fromUtf8",   "fromLatin1", "fromStdString",
                                   "QLatin1String",  "QString",    "tr",         "QStringView",
                                   "QByteArray",     "toStdString"};
// Functions of the message machinery: a call of a message function inside one passes the text
// of its caller on.
const QStringList kMessageFunctions = {"ShowError", "ShowInfo", "Confirm", "CustomDialog"};
// Words that are no names of values.
const QStringList kNotNames = {"const", "auto",    "static_cast", "true",    "false", "nullptr",
                               "this",  "std",     "int",         "bool",    "char",  "double",
                               "new",   "QString", "QStringList", "uint8_t", "QChar", "operator"};
// Return types of functions whose value is no text.
const QStringList kNumberTypes = {"void",    "bool",    "int",      "double",    "float",
                                  "char",    "uint8_t", "uint16_t", "uint32_t",  "int16_t",
                                  "int32_t", "int64_t", "size_t",   "qsizetype", "QChar"};
const QStringList kNotFunctions = {"if",     "for",    "while",    "switch",        "catch",
                                   "return", "sizeof", "decltype", "static_assert", "alignof"};

bool IsNameChar(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The end (one past) of the string or character literal that starts at `i`, raw strings too.
int LiteralEnd(const QString& t, int i) {
  const QChar quote = t[i];
  if (quote == QLatin1Char('"') && i > 0 && t[i - 1] == QLatin1Char('R')) {
    const int open = static_cast<int>(t.indexOf(QLatin1Char('('), i));
    const QString end = QLatin1Char(')') + t.mid(i + 1, open - i - 1) + QLatin1Char('"');
    const int close = static_cast<int>(t.indexOf(end, open));
    return close < 0 ? static_cast<int>(t.size()) : close + static_cast<int>(end.size());
  }
  for (int j = i + 1; j < t.size(); ++j) {
    if (t[j] == QLatin1Char('\\'))
      ++j;
    else if (t[j] == quote)
      return j + 1;
  }
  return static_cast<int>(t.size());
}

bool IsQuote(const QString& t, int i) {
  // A digit separator (1'000) is no quote.
  return t[i] == QLatin1Char('"') ||
         (t[i] == QLatin1Char('\'') && !(i > 0 && t[i - 1].isLetterOrNumber() && i + 1 < t.size() &&
                                         t[i + 1].isLetterOrNumber() && t[i - 1].isDigit()));
}

// +1 for an opening bracket, -1 for a closing one, 0 for any other character; with `angles`,
// <> count as brackets (a parameter list's template arguments).
int BracketStep(QChar c, bool angles = false) {
  if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{') ||
      (angles && c == QLatin1Char('<')))
    return 1;
  if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}') ||
      (angles && c == QLatin1Char('>')))
    return -1;
  return 0;
}

// Walks `t` from `from` outside literals, telling `stop` each position and the bracket depth
// there (after the position's own bracket); returns where `stop` said yes, or -1.
template <typename Stop>
int Walk(const QString& t, int from, Stop stop, bool angles = false) {
  int depth = 0;
  for (int i = from; i < t.size(); ++i) {
    if (IsQuote(t, i)) {
      i = LiteralEnd(t, i) - 1;
      continue;
    }
    depth += BracketStep(t[i], angles);
    if (stop(i, depth))
      return i;
  }
  return -1;
}

// The position of the bracket that closes the one at `open`; -1 when none does.
int Matching(const QString& t, int open) {
  return Walk(t, open, [](int, int depth) { return depth == 0; });
}

// Splits at the separators outside brackets and literals.
QStringList SplitTopLevel(const QString& t, const QString& separator, bool angles = false) {
  QStringList parts;
  int start = 0;
  Walk(
      t, 0,
      [&](int i, int depth) {
        if (depth == 0 && i >= start && BracketStep(t[i], angles) == 0 &&
            t.mid(i, separator.size()) == separator) {
          parts << t.mid(start, i - start).trimmed();
          start = i + static_cast<int>(separator.size());
        }
        return false;
      },
      angles);
  const QString last = t.mid(start).trimmed();
  if (!last.isEmpty() || !parts.isEmpty())
    parts << last;
  return parts;
}

// The statement from `from` to its ';' (or to the bracket that encloses it) outside brackets
// and literals.
QString StatementFrom(const QString& t, int from) {
  const int end = Walk(t, from, [&](int i, int depth) {
    return depth < 0 || (depth == 0 && t[i] == QLatin1Char(';'));
  });
  return t.mid(from, end < 0 ? -1 : end - from);
}

QString DecodeLiteral(const QString& body) {
  QString text;
  for (int i = 0; i < body.size(); ++i) {
    if (body[i] != QLatin1Char('\\') || i + 1 == body.size()) {
      text += body[i];
      continue;
    }
    const QChar c = body[++i];
    text += c == QLatin1Char('n')   ? QChar(u'\n')
            : c == QLatin1Char('r') ? QChar(u'\r')
            : c == QLatin1Char('t') ? QChar(u'\t')
                                    : c;
  }
  return text;
}

int SkipBlanksBack(const QString& t, int i) {
  while (i >= 0 && t[i].isSpace())
    --i;
  return i;
}

int SkipBlanks(const QString& t, int i) {
  while (i < t.size() && t[i].isSpace())
    ++i;
  return i;
}

// The name (with its qualification) that ends at `end`, and where it starts.
QString NameBefore(const QString& t, int end, int* start) {
  int i = end;
  while (i >= 0 && (IsNameChar(t[i]) || t[i] == QLatin1Char(':') || t[i] == QLatin1Char('~')))
    --i;
  *start = i + 1;
  return t.mid(i + 1, end - i);
}

QString LastComponent(const QString& name) {
  return name.section(QStringLiteral("::"), -1);
}

QString Companion(const QString& path) {
  if (path.endsWith(QStringLiteral(".cpp")))
    return path.chopped(4) + QStringLiteral(".h");
  if (path.endsWith(QStringLiteral(".h")))
    return path.chopped(2) + QStringLiteral(".cpp");
  return {};
}

}  // namespace

QString WithoutComments(const QString& source) {
  QString t = source;
  for (int i = 0; i < t.size(); ++i) {
    if (IsQuote(t, i)) {
      i = LiteralEnd(t, i) - 1;
    } else if (t.mid(i, 2) == QLatin1String("//")) {
      while (i < t.size() && t[i] != QLatin1Char('\n'))
        t[i++] = QLatin1Char(' ');
    } else if (t.mid(i, 2) == QLatin1String("/*")) {
      const int end = static_cast<int>(t.indexOf(QLatin1String("*/"), i + 2));
      const int stop = end < 0 ? static_cast<int>(t.size()) : end + 2;
      for (; i < stop; ++i) {
        if (t[i] != QLatin1Char('\n'))
          t[i] = QLatin1Char(' ');
      }
      --i;
    }
  }
  return t;
}

MessageSources::MessageSources(std::vector<File> files) : files_(std::move(files)) {
  static const QRegularExpression constant(
      QStringLiteral("\\b(k[A-Z]\\w*)\\s*(\\[\\s*\\])?\\s*=(?!=)"));
  for (File& file : files_)
    file.text = WithoutComments(file.text);
  for (int f = 0; f < static_cast<int>(files_.size()); ++f) {
    FindFunctions(f);
    for (const QRegularExpressionMatch& m : constant.globalMatch(files_[f].text)) {
      constants_.emplace(
          m.captured(1),
          std::make_pair(f, StatementFrom(files_[f].text, static_cast<int>(m.capturedEnd()))));
    }
  }
}

void MessageSources::FindFunctions(int file) {
  const QString& t = files_[file].text;
  static const QStringList qualifiers = {"const", "override", "noexcept", "final", "mutable"};
  for (int p = 0; p < t.size(); ++p) {
    if (IsQuote(t, p)) {
      p = LiteralEnd(t, p) - 1;
      continue;
    }
    if (t[p] != QLatin1Char('{'))
      continue;
    // Back from the brace over qualifiers to the closing parenthesis of the parameters, through
    // a constructor's member initializers.
    int j = SkipBlanksBack(t, p - 1);
    QString name;
    int open = -1;
    bool found = false;
    for (int guard = 0; guard < 64 && j >= 0; ++guard) {
      int wordStart = 0;
      const QString word = NameBefore(t, j, &wordStart);
      if (qualifiers.contains(word)) {
        j = SkipBlanksBack(t, wordStart - 1);
        continue;
      }
      if (t[j] != QLatin1Char(')'))
        break;
      // The parenthesis that opens this one.
      int depth = 0;
      open = -1;
      for (int k = j; k >= 0; --k) {
        if (t[k] == QLatin1Char(')'))
          ++depth;
        else if (t[k] == QLatin1Char('(') && --depth == 0) {
          open = k;
          break;
        }
      }
      if (open < 0)
        break;
      const int nameEnd = SkipBlanksBack(t, open - 1);
      if (nameEnd < 0 || t[nameEnd] == QLatin1Char(']'))
        break;  // a lambda: its body is its enclosing function's
      int nameStart = 0;
      name = NameBefore(t, nameEnd, &nameStart);
      if (name.isEmpty() || kNotFunctions.contains(LastComponent(name)))
        break;
      const int before = SkipBlanksBack(t, nameStart - 1);
      if (before >= 0 && t[before] == QLatin1Char(',')) {
        j = SkipBlanksBack(t, before - 1);  // another member initializer before this one
        continue;
      }
      if (before >= 1 && t[before] == QLatin1Char(':') && t[before - 1] != QLatin1Char(':')) {
        j = SkipBlanksBack(t, before - 1);  // the first initializer: the parameters come next
        continue;
      }
      found = true;
      break;
    }
    const int close = found ? Matching(t, p) : -1;
    if (close < 0)
      continue;
    Function function;
    function.file = file;
    function.name = LastComponent(name);
    {
      // The words before the name back to the previous declaration: its return type.
      int nameStart = 0;
      NameBefore(t, SkipBlanksBack(t, open - 1), &nameStart);
      int from = nameStart - 1;
      while (from >= 0 && t[from] != QLatin1Char(';') && t[from] != QLatin1Char('{') &&
             t[from] != QLatin1Char('}') && t[from] != QLatin1Char(':'))
        --from;
      static const QRegularExpression words(QStringLiteral("\\w+"));
      static const QStringList qualifiers = {"static", "inline",   "constexpr", "virtual",
                                             "const",  "explicit", "friend"};
      const QString type = t.mid(from + 1, nameStart - from - 1);
      QStringList typeWords;
      for (const QRegularExpressionMatch& w : words.globalMatch(type)) {
        if (!qualifiers.contains(w.captured()))
          typeWords << w.captured();
      }
      function.returnsNumber = typeWords.size() == 1 && kNumberTypes.contains(typeWords.front()) &&
                               !type.contains(QLatin1Char('*'));
    }
    function.bodyOpen = p;
    function.bodyClose = close;
    const int paramsClose = Matching(t, open);
    for (QString parameter :
         SplitTopLevel(t.mid(open + 1, paramsClose - open - 1), QStringLiteral(","), true)) {
      parameter = SplitTopLevel(parameter, QStringLiteral("="), true).value(0);
      int start = 0;
      const QString last = NameBefore(parameter, static_cast<int>(parameter.size()) - 1, &start);
      if (!last.isEmpty() && last != QLatin1String("void"))
        function.parameters << last;
    }
    functions_.push_back(function);
  }
}

const MessageSources::Function* MessageSources::EnclosingFunction(int file, int position) const {
  const Function* innermost = nullptr;
  for (const Function& f : functions_) {
    if (f.file == file && f.bodyOpen < position && position < f.bodyClose &&
        (innermost == nullptr || f.bodyOpen > innermost->bodyOpen))
      innermost = &f;
  }
  return innermost;
}

std::vector<const MessageSources::Function*> MessageSources::FunctionsNamed(
    const QString& name, int preferredFile) const {
  std::vector<const Function*> same, companion, all;
  const QString companionPath =
      preferredFile >= 0 ? Companion(files_[preferredFile].path) : QString();
  for (const Function& f : functions_) {
    if (f.name != name)
      continue;
    all.push_back(&f);
    if (f.file == preferredFile)
      same.push_back(&f);
    else if (files_[f.file].path == companionPath)
      companion.push_back(&f);
  }
  return !same.empty() ? same : !companion.empty() ? companion : all;
}

void MessageSources::Resolve(const QString& e, const Function* function, const Bindings* bindings,
                             Trace& trace, int depth) const {
  if (depth > kMaxDepth) {
    trace.unresolved = true;
    return;
  }
  for (int i = 0; i < e.size();) {
    if (IsQuote(e, i)) {
      // Adjacent literals are one text.
      QString text;
      while (i < e.size() && IsQuote(e, i)) {
        const int end = LiteralEnd(e, i);
        if (e[i] == QLatin1Char('"'))
          text += DecodeLiteral(e.mid(i + 1, end - i - 2));
        i = SkipBlanks(e, end);
      }
      trace.texts << text;
      continue;
    }
    if (!(e[i].isLetter() || e[i] == QLatin1Char('_'))) {
      ++i;
      continue;
    }
    int end = i;
    while (end < e.size() && (IsNameChar(e[end]) || e.mid(end, 2) == QLatin1String("::")))
      end += e.mid(end, 2) == QLatin1String("::") ? 2 : 1;
    const QString name = LastComponent(e.mid(i, end - i));
    // The prefix of a literal (u8"", u'', R"()").
    static const QStringList prefixes = {"u8", "u", "U", "L", "R"};
    if (end < e.size() && IsQuote(e, end) && prefixes.contains(e.mid(i, end - i))) {
      i = end;
      continue;
    }
    const int before = SkipBlanksBack(e, i - 1);
    const bool member =
        before >= 0 && (e[before] == QLatin1Char('.') ||
                        (before >= 1 && e.mid(before - 1, 2) == QLatin1String("->")));
    const int next = SkipBlanks(e, end);
    i = end;
    if (next < e.size() && e[next] == QLatin1Char('(')) {
      const int close = Matching(e, next);
      const QStringList arguments =
          SplitTopLevel(e.mid(next + 1, close - next - 1), QStringLiteral(","));
      i = close < 0 ? static_cast<int>(e.size()) : close + 1;
      if (member && name == QLatin1String("arg"))
        continue;  // what it puts in is not the message's text
      if (kTextWrappers.contains(name)) {
        if (!arguments.isEmpty())
          Resolve(arguments.front(), function, bindings, trace, depth + 1);
      } else if (member && (name == QLatin1String("message") || name == QLatin1String("what"))) {
        trace.forwarded = true;
      } else {
        ResolveCall(name, arguments, function, bindings, trace, depth + 1);
      }
      continue;
    }
    if (member || kNotNames.contains(name) || name[0].isDigit())
      continue;
    // An object whose member function is called is no text, unless it is a text that .arg()
    // fills in; one whose field is read may be.
    const bool calledThrough =
        next < e.size() && (e[next] == QLatin1Char('.') || e.mid(next, 2) == QLatin1String("->")) &&
        [&] {
          const int from = SkipBlanks(e, next + (e[next] == QLatin1Char('.') ? 1 : 2));
          int k = from;
          while (k < e.size() && IsNameChar(e[k]))
            ++k;
          const QString called = e.mid(from, k - from);
          k = SkipBlanks(e, k);
          return k < e.size() && e[k] == QLatin1Char('(') && called != QLatin1String("arg");
        }();
    if (!calledThrough)
      ResolveName(name, function, bindings, trace, depth + 1);
  }
}

void MessageSources::ResolveName(const QString& name, const Function* function,
                                 const Bindings* bindings, Trace& trace, int depth) const {
  // A name is followed once per function and arguments: again it adds nothing, and a cycle
  // would never end.
  QString key = QStringLiteral("%1/%2").arg(reinterpret_cast<quintptr>(function)).arg(name);
  if (bindings != nullptr) {
    for (const auto& [parameter, binding] : *bindings)
      key += QLatin1Char('/') + parameter + QLatin1Char('=') + binding.expression;
  }
  if (!trace.visited.insert(key).second)
    return;
  if (bindings != nullptr && bindings->contains(name)) {
    const Binding& b = bindings->at(name);
    Resolve(b.expression, b.caller, b.callerBindings, trace, depth);
    return;
  }
  if (function != nullptr) {
    const auto parameter = function->parameters.indexOf(name);
    if (parameter >= 0) {
      ResolveCallSites(*function, static_cast<int>(parameter), trace, depth);
      return;
    }
    if (ResolveLocal(name, *function, bindings, trace, depth))
      return;
  }
  if (!ResolveConstant(name, function != nullptr ? function->file : -1, trace, depth))
    trace.unresolved = true;
}

void MessageSources::ResolveCall(const QString& name, const QStringList& arguments,
                                 const Function* function, const Bindings* bindings, Trace& trace,
                                 int depth) const {
  static const QRegularExpression returns(QStringLiteral("\\breturn\\b"));
  for (const Function* callee : FunctionsNamed(name, function != nullptr ? function->file : -1)) {
    if (callee->returnsNumber)
      continue;
    Bindings bound;
    for (int j = 0; j < callee->parameters.size() && j < arguments.size(); ++j)
      bound[callee->parameters[j]] = {arguments[j], function, bindings};
    const QString& t = files_[callee->file].text;
    const QString body = t.mid(callee->bodyOpen, callee->bodyClose - callee->bodyOpen);
    for (const QRegularExpressionMatch& m : returns.globalMatch(body))
      Resolve(StatementFrom(body, static_cast<int>(m.capturedEnd())), callee, &bound, trace, depth);
  }
}

void MessageSources::ResolveCallSites(const Function& callee, int parameter, Trace& trace,
                                      int depth) const {
  const QRegularExpression call(QStringLiteral("\\b%1\\s*\\(").arg(callee.name));
  for (int f = 0; f < static_cast<int>(files_.size()); ++f) {
    const QString& t = files_[f].text;
    for (const QRegularExpressionMatch& m : call.globalMatch(t)) {
      const Function* caller = EnclosingFunction(f, static_cast<int>(m.capturedStart()));
      if (caller == nullptr)
        continue;  // a declaration or a definition's head
      const int open = static_cast<int>(m.capturedEnd()) - 1;
      const QStringList arguments =
          SplitTopLevel(t.mid(open + 1, Matching(t, open) - open - 1), QStringLiteral(","));
      if (parameter < arguments.size())
        Resolve(arguments[parameter], caller, nullptr, trace, depth);
    }
  }
}

bool MessageSources::ResolveLocal(const QString& name, const Function& function,
                                  const Bindings* bindings, Trace& trace, int depth) const {
  const QString& t = files_[function.file].text;
  const QString body = t.mid(function.bodyOpen, function.bodyClose - function.bodyOpen);
  const QString n = QRegularExpression::escape(name);
  bool found = false;
  // Assignments, appends and stream appends.
  const QRegularExpression assigned(QStringLiteral("(?<![\\w.>:])%1\\s*(\\+=|<<|=(?!=))").arg(n));
  for (const QRegularExpressionMatch& m : assigned.globalMatch(body)) {
    found = true;
    const QString rest = StatementFrom(body, static_cast<int>(m.capturedEnd()));
    for (const QString& part : SplitTopLevel(rest, QStringLiteral("<<")))
      Resolve(part, &function, bindings, trace, depth);
  }
  // A declaration with its initial value in parentheses or braces.
  const QRegularExpression declared(QStringLiteral("[\\w>&*]\\s+%1\\s*([({])").arg(n));
  for (const QRegularExpressionMatch& m : declared.globalMatch(body)) {
    found = true;
    const int open = static_cast<int>(m.capturedStart(1));
    Resolve(body.mid(open + 1, Matching(body, open) - open - 1), &function, bindings, trace, depth);
  }
  // The variable of a range-based for over a container.
  const QRegularExpression ranged(QStringLiteral("\\bfor\\s*\\(([^;()]*?)\\b%1\\s*:(?!:)").arg(n));
  for (const QRegularExpressionMatch& m : ranged.globalMatch(body)) {
    found = true;
    const int open = static_cast<int>(body.indexOf(QLatin1Char('('), m.capturedStart()));
    const int close = Matching(body, open);
    const int from = static_cast<int>(m.capturedEnd());
    Resolve(body.mid(from, close - from), &function, bindings, trace, depth);
  }
  return found;
}

bool MessageSources::ResolveConstant(const QString& name, int preferredFile, Trace& trace,
                                     int depth) const {
  const auto [first, last] = constants_.equal_range(name);
  if (first == last)
    return false;
  const QString companion = preferredFile >= 0 ? Companion(files_[preferredFile].path) : QString();
  std::vector<QString> same, near, all;
  for (auto it = first; it != last; ++it) {
    const auto& [file, expression] = it->second;
    all.push_back(expression);
    if (file == preferredFile)
      same.push_back(expression);
    else if (files_[file].path == companion)
      near.push_back(expression);
  }
  for (const QString& expression : !same.empty() ? same : !near.empty() ? near : all)
    Resolve(expression, nullptr, nullptr, trace, depth);
  return true;
}

std::vector<MessageSources::Message> MessageSources::Messages() const {
  // The calls that raise or show a text, and which of their arguments it is.
  static const std::pair<QRegularExpression, int> sinks[] = {
      {QRegularExpression(QStringLiteral("\\b(EOwned|EComPort|EValidation)\\s*\\(")), 0},
      {QRegularExpression(QStringLiteral("\\b(ShowError|ShowInfo|Confirm)\\s*\\(")), 0},
      {QRegularExpression(QStringLiteral("\\bCustomDialog\\s*\\(")), 1},
      {QRegularExpression(QStringLiteral("\\bQMessageBox::\\w+\\s*\\(")), 2},
  };
  std::vector<Message> messages;
  for (int f = 0; f < static_cast<int>(files_.size()); ++f) {
    const QString& t = files_[f].text;
    for (const auto& [sink, argument] : sinks) {
      for (const QRegularExpressionMatch& m : sink.globalMatch(t)) {
        const int at = static_cast<int>(m.capturedStart());
        const Function* function = EnclosingFunction(f, at);
        // Declarations and definition heads are outside any body; the message functions pass
        // their caller's text on.
        if (function == nullptr || kMessageFunctions.contains(function->name))
          continue;
        const int open = static_cast<int>(m.capturedEnd()) - 1;
        const QStringList arguments =
            SplitTopLevel(t.mid(open + 1, Matching(t, open) - open - 1), QStringLiteral(","));
        if (argument >= arguments.size())
          continue;
        Message message;
        message.where = QStringLiteral("%1:%2")
                            .arg(files_[f].path)
                            .arg(t.left(at).count(QLatin1Char('\n')) + 1);
        message.expression = arguments[argument].simplified();
        Trace trace;
        Resolve(arguments[argument], function, nullptr, trace, 0);
        message.texts = trace.texts;
        message.traced = !trace.texts.isEmpty() || (trace.forwarded && !trace.unresolved);
        messages.push_back(message);
      }
    }
  }
  return messages;
}

}  // namespace vrx::test
