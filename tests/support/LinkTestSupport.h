#pragma once

#include <QByteArray>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "link/ComPort.h"
#include "link/CursorControl.h"
#include "link/Pacer.h"
#include "link/SerialBackend.h"
#include "support/ErrorOf.h"

namespace vrx::test {

using Bytes = std::vector<uint8_t>;

inline Bytes Concat(Bytes head, const Bytes& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// A block whose neighbouring bytes all differ, none of them zero.
inline Bytes Pattern(int length, uint8_t seed) {
  Bytes bytes;
  for (int i = 0; i < length; ++i) {
    bytes.push_back(static_cast<uint8_t>(seed + 7 * i + 1));
  }
  return bytes;
}

inline std::string HexText(const uint8_t* bytes, int count) {
  return QByteArray(reinterpret_cast<const char*>(bytes), count).toHex().toUpper().toStdString();
}

// Every cursor change, in order; also written to `log` ("cursor wait", "cursor normal") when
// one is given, to see the changes among the calls on the line.
class RecordingCursor : public CursorControl {
 public:
  explicit RecordingCursor(CursorShape initial = CursorShape::Normal) : shape_(initial) {}
  CursorShape Current() const override { return shape_; }
  void Set(CursorShape shape) override {
    shape_ = shape;
    sets.push_back(shape);
    if (log != nullptr)
      log->push_back(shape == CursorShape::Wait ? "cursor wait" : "cursor normal");
  }

  std::vector<CursorShape> sets;
  std::vector<std::string>* log = nullptr;

 private:
  CursorShape shape_;
};

// What the fake port and the virtual pacer saw, one short text per call, in one common order:
// "open /dev/ttyS0 4800", "close", "read 1 1500" (count, time-out), "write 05" (hex), "purge",
// "rts on", "rts off", "dsr", "wait 50", "pump".
using EventLog = std::vector<std::string>;

// A serial port without a line: hands out the bytes queued in `incoming` and logs every call.
class FakeSerialBackend : public SerialBackend {
 public:
  explicit FakeSerialBackend(EventLog& log) : log_(log) {}

  bool Open(const QString& device, uint32_t baudRate, QString* reason) override {
    log_.push_back("open " + device.toStdString() + " " + std::to_string(baudRate));
    if (!openSucceeds && reason != nullptr)
      *reason = openFailure;
    return openSucceeds;
  }
  void Close() override { log_.push_back("close"); }
  int Read(uint8_t* buffer, int count, int timeoutMs) override {
    log_.push_back("read " + std::to_string(count) + " " + std::to_string(timeoutMs));
    int got = 0;
    while (got < count && !incoming.empty()) {
      buffer[got++] = incoming.front();
      incoming.pop_front();
    }
    return got;
  }
  bool Write(const uint8_t* buffer, int count) override {
    log_.push_back("write " + HexText(buffer, count));
    return true;
  }
  bool PurgeInput() override {
    log_.push_back("purge");
    return true;
  }
  bool SetRts(bool on) override {
    log_.push_back(on ? "rts on" : "rts off");
    return true;
  }
  bool Dsr() override {
    log_.push_back("dsr");
    return dsr;
  }

  bool openSucceeds = true;
  QString openFailure;
  std::deque<uint8_t> incoming;
  bool dsr = false;

 private:
  EventLog& log_;
};

// Pauses that take no time and are logged with the port's calls.
class VirtualPacer : public Pacer {
 public:
  explicit VirtualPacer(EventLog& log) : log_(log) {}
  void Wait(int ms) override { log_.push_back("wait " + std::to_string(ms)); }
  void PumpMessages() override { log_.push_back("pump"); }

 private:
  EventLog& log_;
};

// A TComPort on a fake backend. Port n resolves to /dev/ttyS(n-1): no per-user setting is read.
struct FakeLine {
  EventLog log;
  FakeSerialBackend* backend = nullptr;
  TComPort port{PortNaming([](int) { return QString(); }), Adopt()};

  std::unique_ptr<SerialBackend> Adopt() {
    auto owned = std::make_unique<FakeSerialBackend>(log);
    backend = owned.get();
    return owned;
  }
};

}  // namespace vrx::test
