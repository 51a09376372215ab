#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/SerialBackend.h"
#include "sim/Instrument.h"

namespace vrx::sim {

// The OPX adapter between the PC's port and an emulated instrument, in-process: a serial
// backend with the modem lines a pseudo-terminal lacks. The adapter sleeps, and the instrument
// hears nothing, until RTS has been held on for the wake-up pulse; from then on bytes pass both
// ways. DSR says whether the adapter is plugged in.
class OpxAdapterLine : public SerialBackend {
 public:
  // Shortest RTS pulse that wakes the adapter.
  static constexpr int kWakePulseMs = 500;

  // `nowMs` reads the clock the tool's pauses run on (a virtual one in tests).
  OpxAdapterLine(Instrument& instrument, std::function<int64_t()> nowMs);

  bool Open(const QString& device, uint32_t baudRate, QString* reason) override;
  void Close() override;
  int Read(uint8_t* buffer, int count, int timeoutMs) override;
  bool Write(const uint8_t* buffer, int count) override;
  bool PurgeInput() override;
  bool SetRts(bool on) override;
  bool Dsr() override { return dsr_; }

  void SetDsr(bool on) { dsr_ = on; }
  // What the tool did on the line, one text per call with the clock's time: "0 rts on",
  // "800 rts off", "900 write ff 4800" (byte and line speed), "950 read 1 7000" (count and
  // time-out).
  const std::vector<std::string>& Events() const { return events_; }

 private:
  void Log(const std::string& what);

  Instrument& instrument_;
  std::function<int64_t()> nowMs_;
  uint32_t baud_ = 0;
  bool dsr_ = true;
  bool awake_ = false;
  int64_t rtsOnAt_ = -1;
  std::deque<uint8_t> incoming_;
  std::vector<std::string> events_;
};

}  // namespace vrx::sim
