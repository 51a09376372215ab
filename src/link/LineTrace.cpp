#include "link/LineTrace.h"

#include <QDateTime>
#include <utility>

#include "link/Trace.h"

namespace vrx {

namespace {
QString Now(const char* format) {
  return QDateTime::currentDateTime().toString(QString::fromLatin1(format));
}
}  // namespace

std::unique_ptr<LineTrace> LineTrace::Open(const QString& path, QString* error) {
  std::unique_ptr<LineTrace> trace(new LineTrace(path));
  // Unbuffered: every line goes to the file in one write at its end, appended whatever another
  // process appended meanwhile.
  if (!trace->file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
    if (error != nullptr)
      *error = trace->file_.errorString();
    return nullptr;
  }
  return trace;
}

LineTrace::~LineTrace() {
  EndExchange();
}

void LineTrace::BeginExchange(const QString& what) {
  EndExchange();
  ++exchange_;
  line_ = QStringLiteral("%1 #%2 %3")
              .arg(Now("yyyy-MM-dd HH:mm:ss.zzz"))
              .arg(exchange_)
              .arg(what)
              .toUtf8();
}

void LineTrace::EndExchange() {
  if (line_.isEmpty())
    return;
  const QByteArray line = std::exchange(line_, {}) + '\n';
  if (!failure_.isEmpty())
    return;
  if (file_.write(line) == line.size())
    return;
  failure_ = file_.errorString();
  if (report_) {
    report_(QStringLiteral("Не удалось записать трассировку в файл \"%1\": %2. Обмен "
                           "продолжается без нее.")
                .arg(path_, failure_));
  }
}

void LineTrace::EnsureExchange() {
  if (line_.isEmpty())
    BeginExchange(QStringLiteral("line"));
}

void LineTrace::Entry(const QString& text) {
  EnsureExchange();
  line_ += (QStringLiteral(" | ") + Now("HH:mm:ss.zzz") + ' ' + text).toUtf8();
}

void LineTrace::Bytes(Direction direction, uint32_t baud, const uint8_t* bytes, int count) {
  if (count <= 0)
    return;
  const char* tag = direction == Direction::kSent ? "TX" : "RX";
  Entry(QStringLiteral("%1 %2 %3")
            .arg(baud)
            .arg(QLatin1String(tag))
            .arg(QString::fromLatin1(HexBytes(bytes, count))));
}

void LineTrace::Event(const QString& text) {
  Entry(text);
}

}  // namespace vrx
