#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "link/ComPort.h"

namespace vrx::bench {

// What an operation puts on the line, read from the trace of one run of it.
struct LineFloor {
  int exchanges = 0;     // of the byte protocol, each after its pause
  int transactions = 0;  // Modbus, each with its two pauses at the reopenings of the port
  double lineMs = 0;     // 10 bit times for every byte the tool sent or waited for

  // The least time the operation can take: the protocol's pauses and the bytes on the line.
  double Ms() const;
};

// The floor of the operations traced in the file.
LineFloor FloorOfTrace(const QString& path);

// Runs `action` once with `port` traced into the file at `path`.
void TraceToFile(TComPort& port, const QString& path, const std::function<void()>& action);

// Runs `action` once with `port` traced into a temporary file and returns its floor.
LineFloor TracedFloor(TComPort& port, const std::function<void()>& action);

// For every exchange of the file, the time from its first entry to its last, in ms.
std::vector<double> ExchangeSpansMs(const QString& path);

}  // namespace vrx::bench
