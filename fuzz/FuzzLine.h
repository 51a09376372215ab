#pragma once

#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "link/Connection.h"
#include "link/Pacer.h"
#include "link/SerialBackend.h"
#include "sim/Instrument.h"

namespace vrx::fuzz {

// Pauses take no time: a fuzz target runs the exchanges as fast as the line answers.
class NoPacer : public Pacer {
 public:
  void Wait(int /*ms*/) override {}
  void PumpMessages() override {}
};

// The far end of the line is a script of bytes (the fuzz input): every read takes the next
// bytes of it, whatever was written. When the script runs out, reads come back short, as from
// an instrument that fell silent.
class ScriptLine : public SerialBackend {
 public:
  ScriptLine(const uint8_t* bytes, size_t size) : script_(bytes, bytes + size) {}

  bool Open(const QString&, uint32_t, QString*) override { return true; }
  void Close() override {}
  int Read(uint8_t* buffer, int count, int /*timeoutMs*/) override {
    const int n = std::min<int>(count, static_cast<int>(script_.size() - next_));
    std::copy_n(script_.begin() + static_cast<std::ptrdiff_t>(next_), n, buffer);
    next_ += static_cast<size_t>(n);
    return n;
  }
  bool Write(const uint8_t*, int) override { return true; }
  bool PurgeInput() override { return true; }
  bool SetRts(bool) override { return true; }
  bool Dsr() override { return true; }

 private:
  std::vector<uint8_t> script_;
  size_t next_ = 0;
};

// The far end of the line is an emulated instrument, in-process: every byte written is heard at
// once and its reply queues for reading. Keeps every byte the tool read, so that a run against
// the emulator can be replayed through a ScriptLine (the seed corpus).
class InstrumentLine : public SerialBackend {
 public:
  explicit InstrumentLine(sim::Instrument& instrument) : instrument_(instrument) {}

  bool Open(const QString&, uint32_t, QString*) override { return true; }
  void Close() override {}
  int Read(uint8_t* buffer, int count, int /*timeoutMs*/) override {
    const int n = std::min<int>(count, static_cast<int>(incoming_.size()));
    for (int i = 0; i < n; ++i) {
      buffer[i] = incoming_.front();
      incoming_.pop_front();
    }
    delivered_.insert(delivered_.end(), buffer, buffer + n);
    return n;
  }
  bool Write(const uint8_t* buffer, int count) override {
    for (int i = 0; i < count; ++i) {
      const sim::Reply reply = instrument_.OnByte(buffer[i]);
      incoming_.insert(incoming_.end(), reply.bytes.begin(), reply.bytes.end());
    }
    return true;
  }
  bool PurgeInput() override {
    incoming_.clear();
    return true;
  }
  bool SetRts(bool) override { return true; }
  bool Dsr() override { return true; }

  const std::vector<uint8_t>& Delivered() const { return delivered_; }

 private:
  sim::Instrument& instrument_;
  std::deque<uint8_t> incoming_;
  std::vector<uint8_t> delivered_;
};

// A connection over the given line with its port open, as after the window's start-up. The
// port's name is never looked up in the user's settings: the line is in-process.
struct LineConnection {
  explicit LineConnection(std::unique_ptr<SerialBackend> line)
      : connection(pacer, cursor, PortNaming([](int) { return QStringLiteral("fuzz"); }),
                   std::move(line)) {
    connection.port.Open(1, kLinkBaud, kReadTimeoutMs);
  }

  static constexpr uint32_t kLinkBaud = 4800;
  static constexpr int32_t kReadTimeoutMs = 1500;
  NoPacer pacer;
  PlainCursor cursor;
  Connection connection;
};

}  // namespace vrx::fuzz
