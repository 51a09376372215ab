#include "link/LineTrace.h"

#include <QDateTime>

#include "link/Trace.h"

namespace vrx {

namespace {
QString Now(const char* format) {
  return QDateTime::currentDateTime().toString(QString::fromLatin1(format));
}
}  // namespace

std::unique_ptr<LineTrace> LineTrace::Open(const QString& path, QString* error) {
  std::unique_ptr<LineTrace> trace(new LineTrace(path));
  if (!trace->file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
    if (error != nullptr)
      *error = trace->file_.errorString();
    return nullptr;
  }
  return trace;
}

LineTrace::~LineTrace() {
  if (lineOpen_)
    file_.write("\n");
}

void LineTrace::BeginExchange(const QString& what) {
  if (lineOpen_)
    file_.write("\n");
  ++exchange_;
  lineOpen_ = true;
  file_.write(QStringLiteral("%1 #%2 %3")
                  .arg(Now("yyyy-MM-dd HH:mm:ss.zzz"))
                  .arg(exchange_)
                  .arg(what)
                  .toUtf8());
  // Flushed entry by entry: a run that ends abruptly keeps all it traced.
  file_.flush();
}

void LineTrace::EnsureExchange() {
  if (!lineOpen_)
    BeginExchange(QStringLiteral("line"));
}

void LineTrace::Entry(const QString& text) {
  EnsureExchange();
  file_.write((QStringLiteral(" | ") + Now("HH:mm:ss.zzz") + ' ' + text).toUtf8());
  file_.flush();
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
