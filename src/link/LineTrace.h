#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace vrx {

// The trace file of --trace-file: every byte the tool sends and receives, one exchange per line,
// so that a whole exchange is one grep hit. A line starts with the date and time the exchange
// began, its number and what it is, then one entry per chunk on the line:
//   2026-12-09 03:05:01.123 #1 command 5 | 03:05:01.173 4800 TX 05 | 03:05:01.184 4800 RX 05 0E
// (time to the millisecond, line speed in baud, TX sent or RX received, the bytes in hex).
// Events of the port (opened, lost, a short reply) are entries of the same line.
//
// A line is kept until the next exchange begins (or the owner ends it, after a user action, or
// the trace is closed) and then appended with one write: two tools tracing into one file (the
// window and the companion) never mix their entries within a line.
class LineTrace {
 public:
  enum class Direction { kSent, kReceived };

  // Appends to the file at `path`; returns nullptr and sets *error when it cannot be opened.
  static std::unique_ptr<LineTrace> Open(const QString& path, QString* error);
  ~LineTrace();
  LineTrace(const LineTrace&) = delete;
  LineTrace& operator=(const LineTrace&) = delete;

  // Ends the line of the exchange before and starts the next one.
  void BeginExchange(const QString& what);
  // Writes the line of the last exchange; bytes and events after it get a line of their own.
  void EndExchange();
  void Bytes(Direction direction, uint32_t baud, const uint8_t* bytes, int count);
  void Event(const QString& text);

  const QString& Path() const { return path_; }
  // Why the file stopped taking the trace (a full disk); empty while it takes it. After the first
  // failed write nothing more is traced: the exchanges go on without it.
  const QString& Failure() const { return failure_; }
  // Called once, with the message that says so, when a write fails.
  void OnFailure(std::function<void(const QString& message)> report) {
    report_ = std::move(report);
  }

 private:
  explicit LineTrace(const QString& path) : path_(path), file_(path) {}
  // Bytes and events before the first exchange get a line of their own.
  void EnsureExchange();
  void Entry(const QString& text);

  QString path_;
  QFile file_;
  int exchange_ = 0;
  QByteArray line_;
  QString failure_;
  std::function<void(const QString&)> report_;
};

}  // namespace vrx
