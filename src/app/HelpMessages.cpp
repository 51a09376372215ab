#include "app/HelpMessages.h"

#include <QRegularExpression>
#include <QStringList>
#include <utility>
#include <vector>

namespace vrx {

namespace {

// The pattern of the literal text of an entry: tags dropped, entities decoded, and any run of
// blanks standing for any run of blanks (the page is wrapped where the message is not).
QString LiteralPattern(QString html) {
  static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  html.replace(tag, QStringLiteral(" "));
  const std::pair<const char*, const char*> entities[] = {
      {"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
  for (const auto& [entity, character] : entities)
    html.replace(QLatin1String(entity), QLatin1String(character));
  QString pattern;
  for (const QString& word : html.split(blanks, Qt::SkipEmptyParts))
    pattern +=
        (pattern.isEmpty() ? QString() : QStringLiteral("\\s+")) + QRegularExpression::escape(word);
  return pattern;
}

}  // namespace

QString MessageAnchor(const QString& page, const QString& message) {
  static const QRegularExpression cell(QStringLiteral("<td class=\"msg\">(.*?)</td>"),
                                       QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression anchor(QStringLiteral("<a name=\"([^\"]+)\"></a>"));
  static const QRegularExpression italic(QStringLiteral("<i>.*?</i>"),
                                         QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression lineBreak(QStringLiteral("\r?\n"));
  // The entries as patterns, with their anchors.
  std::vector<std::pair<QRegularExpression, QString>> entries;
  for (const QRegularExpressionMatch& entry : cell.globalMatch(page)) {
    const QString html = entry.captured(1);
    const QRegularExpressionMatch name = anchor.match(html);
    if (!name.hasMatch())
      continue;
    // The literal parts in order, each placeholder standing for some text.
    QStringList parts;
    for (const QString& literal : html.split(italic))
      parts << LiteralPattern(literal);
    entries.emplace_back(
        QRegularExpression(QStringLiteral("^\\s*") + parts.join(QStringLiteral("\\s*.+?\\s*")) +
                           QStringLiteral("\\s*$")),
        name.captured(1));
  }
  // The whole text, else its first line that has an entry (a warning lists several).
  QStringList candidates{message};
  if (message.contains(lineBreak))
    candidates << message.split(lineBreak, Qt::SkipEmptyParts);
  for (const QString& text : candidates) {
    for (const auto& [pattern, name] : entries) {
      if (pattern.match(text).hasMatch())
        return name;
    }
  }
  return {};
}

}  // namespace vrx
