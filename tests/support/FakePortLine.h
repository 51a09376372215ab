#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "link/Pacer.h"
#include "link/PortNaming.h"
#include "link/SerialBackend.h"

namespace vrx::test {

// One log of what the port layer did, shared by the fake backend and the recording pacer so the
// order of opens, closes and pauses can be checked: "open DEVICE BAUD", "close", "wait MS".
struct PortEvents {
  QStringList log;
  bool openSucceeds = true;
  QString openFailure = QStringLiteral("Нет такого устройства");
};

class FakeSerialBackend : public SerialBackend {
 public:
  explicit FakeSerialBackend(std::shared_ptr<PortEvents> events) : events_(std::move(events)) {}

  bool Open(const QString& device, uint32_t baudRate, QString* reason) override {
    events_->log << QStringLiteral("open %1 %2").arg(device).arg(baudRate);
    if (!events_->openSucceeds && reason != nullptr)
      *reason = events_->openFailure;
    return events_->openSucceeds;
  }
  void Close() override { events_->log << QStringLiteral("close"); }
  int Read(uint8_t*, int, int) override { return 0; }
  bool Write(const uint8_t*, int) override { return true; }
  bool PurgeInput() override { return true; }
  bool SetRts(bool) override { return true; }
  bool Dsr() override { return false; }

 private:
  std::shared_ptr<PortEvents> events_;
};

// Waits on no clock at all; records each pause.
class RecordingPacer : public Pacer {
 public:
  explicit RecordingPacer(std::shared_ptr<PortEvents> events) : events_(std::move(events)) {}
  void Wait(int ms) override { events_->log << QStringLiteral("wait %1").arg(ms); }
  void PumpMessages() override {}

 private:
  std::shared_ptr<PortEvents> events_;
};

// Ports resolve as /dev/ttyS(n-1) without looking at the user's settings.
inline PortNaming PlainNaming() {
  return PortNaming(PortNaming::SettingLookup{});
}

}  // namespace vrx::test
