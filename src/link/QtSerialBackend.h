#pragma once

#include <QSerialPort>
#include <memory>

#include "link/SerialBackend.h"

namespace vrx {

// SerialBackend on QtSerialPort. Used synchronously: every call blocks until done, no event
// loop is needed.
class QtSerialBackend : public SerialBackend {
 public:
  bool Open(const QString& device, uint32_t baudRate, QString* reason) override;
  void Close() override;
  int Read(uint8_t* buffer, int count, int timeoutMs) override;
  bool Write(const uint8_t* buffer, int count) override;
  bool PurgeInput() override;
  bool SetRts(bool on) override;
  bool Dsr() override;
  QString LostReason() const override { return lostReason_; }

 private:
  // After a line error: sets lostReason_ when the device has gone away. Returns the number of
  // bytes (0 or 1) it read into `byte` while finding out.
  int ProbeLostDevice(uint8_t* byte);

  std::unique_ptr<QSerialPort> port_;
  QString lostReason_;
};

}  // namespace vrx
