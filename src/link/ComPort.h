#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "link/PortNaming.h"
#include "link/SerialBackend.h"

namespace vrx {

// The tool's only access to the serial line: blocking, synchronous operations on one port.
// It knows nothing of the instruments' protocol.
class TComPort {
 public:
  // Without a backend the port uses QtSerialPort.
  explicit TComPort(PortNaming naming = PortNaming(), std::unique_ptr<SerialBackend> backend = {});
  ~TComPort();
  TComPort(const TComPort&) = delete;
  TComPort& operator=(const TComPort&) = delete;

  // Opens "COM"n. A failure is silent: the port stays closed and the reason is kept for display
  // (LastOpenError). Does not close a port that is already open.
  void Open(uint8_t portNumber, uint32_t baudRate, int32_t readTimeoutMs);
  void Close();
  // Closes and opens again with the stored number, speed and current read time-out.
  void Reopen();
  // Raises "COM-порт не открыт" when the port is closed.
  void CheckOpen() const;

  // Reads exactly count bytes within one total time-out; raises "Нет ответа от прибора" when
  // fewer came. The bytes that did come stay in the buffer.
  int Read(uint8_t* buffer, int count);
  bool Write(const uint8_t* buffer, int count);
  uint8_t ReadByte();
  void WriteByte(uint8_t byte);
  bool PurgeInput();
  void SetReadTimeout(int32_t ms);
  bool SetRts();
  bool ClearRts();
  bool DsrActive();

  bool IsOpen() const { return open_; }
  uint8_t PortNumber() const { return portNumber_; }
  uint32_t BaudRate() const { return baudRate_; }
  int32_t ReadTimeout() const { return readTimeoutMs_; }
  // The device the port number resolves to, and why the last Open failed (empty after success).
  QString DeviceName(uint8_t portNumber) const { return naming_.Resolve(portNumber); }
  QString LastOpenError() const { return lastOpenError_; }
  PortNaming& Naming() { return naming_; }

 private:
  PortNaming naming_;
  std::unique_ptr<SerialBackend> backend_;
  bool open_ = false;
  uint8_t portNumber_ = 0;
  uint32_t baudRate_ = 0;
  int32_t readTimeoutMs_ = 0;
  QString lastOpenError_;
};

}  // namespace vrx
