#pragma once

#include <memory>

#include "link/Connection.h"
#include "model/Messages.h"
#include "sim/OpxAdapterLine.h"

namespace vrx::test {

// An emulated instrument behind the OPX adapter, in-process, on a pacer whose clock only moves
// when the tool pauses (so the adapter's event times are exact).
template <typename Device>
struct OpxBench {
  struct ClockPacer : Pacer {
    int64_t now = 0;
    void Wait(int ms) override { now += ms; }
    void PumpMessages() override {}
  };

  template <typename Config>
  explicit OpxBench(const Config& config) : device(config) {
    auto owned = std::make_unique<sim::OpxAdapterLine>(this->device, [this] { return pacer.now; });
    line = owned.get();
    connection = std::make_unique<Connection>(
        pacer, cursor, PortNaming(PortNaming::SettingLookup{}), std::move(owned));
    connection->port.Open(1, 4800, 1500);
  }

  Device device;
  ClockPacer pacer;
  PlainCursor cursor;
  sim::OpxAdapterLine* line = nullptr;
  std::unique_ptr<Connection> connection;
  RecordingMessages messages;
};

}  // namespace vrx::test
