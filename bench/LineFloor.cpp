#include "LineFloor.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>
#include <algorithm>
#include <utility>

#include "link/DeviceLink.h"
#include "link/LineTrace.h"
#include "link/ModbusLink.h"

namespace vrx::bench {

namespace {

// The trace's lines: the exchange's heading, then its entries (time, then what happened).
std::vector<QStringList> TraceLines(const QString& path) {
  QFile file(path);
  std::vector<QStringList> lines;
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    return lines;
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
    lines.push_back(line.split(QStringLiteral(" | ")));
  return lines;
}

QTime EntryTime(const QString& entry) {
  return QTime::fromString(entry.section(' ', 0, 0), QStringLiteral("HH:mm:ss.zzz"));
}

}  // namespace

double LineFloor::Ms() const {
  return exchanges * DeviceLink::kPauseBeforeExchangeMs +
         transactions * 2 * ModbusLink::kSettlePauseMs + lineMs;
}

LineFloor FloorOfTrace(const QString& path) {
  LineFloor floor;
  for (const QStringList& line : TraceLines(path)) {
    // The heading: date, time, number, then what the exchange is.
    const QString what = line.front().section(' ', 3);
    const bool byteProtocol = what.startsWith(QLatin1String("command "));
    floor.exchanges += byteProtocol ? 1 : 0;
    floor.transactions += what.startsWith(QLatin1String("Modbus function")) ? 1 : 0;
    int sent = 0;
    int pending = 0;  // sent since the last byte received
    int received = 0;
    double baud = 0;
    for (const QString& entry : line.mid(1)) {
      const QStringList words = entry.split(' ');
      if (words.size() < 4 || (words[2] != QLatin1String("TX") && words[2] != QLatin1String("RX")))
        continue;  // an event of the port
      baud = words[1].toDouble();
      const int count = static_cast<int>(words.size()) - 3;
      if (words[2] == QLatin1String("TX")) {
        pending += count;
      } else {
        sent += std::exchange(pending, 0);
        received += count;
      }
    }
    // A byte sent after the last byte received is not waited for (pending): it crosses the line
    // during the next exchange's pause, or after the operation has ended.
    if (received == 0)
      continue;
    // The instrument answers every byte as it arrives, so a byte sent and the echo of the one
    // before it share the line: only the last byte sent waits alone. The module answers a whole
    // request.
    const int bytes = byteProtocol ? std::max(sent, received) + 1 : sent + received;
    floor.lineMs += bytes * 10.0 * 1000.0 / baud;
  }
  return floor;
}

void TraceToFile(TComPort& port, const QString& path, const std::function<void()>& action) {
  QString error;
  std::unique_ptr<LineTrace> trace = LineTrace::Open(path, &error);
  if (!trace)
    qFatal("cannot open the trace file %s: %s", qPrintable(path), qPrintable(error));
  port.SetTrace(trace.get());
  action();
  port.SetTrace(nullptr);
}

LineFloor TracedFloor(TComPort& port, const std::function<void()>& action) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("trace.log"));
  TraceToFile(port, path, action);
  return FloorOfTrace(path);
}

std::vector<double> ExchangeSpansMs(const QString& path) {
  std::vector<double> spans;
  for (const QStringList& line : TraceLines(path)) {
    if (line.size() > 1)
      spans.push_back(EntryTime(line[1]).msecsTo(EntryTime(line.back())));
  }
  return spans;
}

}  // namespace vrx::bench
