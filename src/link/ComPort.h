#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "link/LineTrace.h"
#include "link/PortNaming.h"
#include "link/SerialBackend.h"

namespace vrx {

// The tool's only access to the serial line: blocking, synchronous operations on one port.
// It knows nothing of the instruments' protocol.
class TComPort {
 public:
  static constexpr const char* kNotOpen = "COM-порт не открыт";

  // Without a backend the port chooses one for every device it opens (PortNaming::BackendFor):
  // QtSerialPort for a device of the system, gensio for a network serial server.
  explicit TComPort(PortNaming naming = PortNaming(), std::unique_ptr<SerialBackend> backend = {});
  ~TComPort();
  TComPort(const TComPort&) = delete;
  TComPort& operator=(const TComPort&) = delete;

  // Opens "COM"n. A failure is silent: the port stays closed and the reason is kept for display
  // (LastOpenError). Does not close a port that is already open.
  void Open(uint8_t portNumber, uint32_t baudRate, int32_t readTimeoutMs);
  void Close();
  // For a device that went away during this action: the next CheckOpen opens it as given here
  // instead of as it was, and nothing is opened now (the name may already lead to another line).
  void OpenOnNextAction(uint8_t portNumber, uint32_t baudRate, int32_t readTimeoutMs);
  // Closes and opens again with the stored number, speed and current read time-out.
  void Reopen();
  // Raises "COM-порт не открыт" when the port is closed, with a second line "DEVICE: REASON"
  // when it is closed because it did not open. A port whose device went away during a read is
  // opened again first, as it was, so the next action works once the device is back; so is a
  // network server that could not be reached, and while it still cannot be, the error names its
  // address and the reason.
  void CheckOpen();

  // Reads exactly count bytes within one total time-out; raises "Нет ответа от прибора" when
  // fewer came. The bytes that did come stay in the buffer.
  int Read(uint8_t* buffer, int count);
  bool Write(const uint8_t* buffer, int count);
  uint8_t ReadByte();
  void WriteByte(uint8_t byte);
  bool PurgeInput();
  void SetReadTimeout(int32_t ms);
  // A network server that does not answer the request raises an error naming its address and
  // the reason; a line without modem signals (a pseudo-terminal) just returns false.
  bool SetRts();
  bool ClearRts();
  bool DsrActive();

  bool IsOpen() const { return open_; }
  uint8_t PortNumber() const { return portNumber_; }
  uint32_t BaudRate() const { return baudRate_; }
  int32_t ReadTimeout() const { return readTimeoutMs_; }
  // The device the port number resolves to, and why the last Open failed (empty after success):
  // in Russian with what to do where the user can act on it (PortOpenReason).
  QString DeviceName(uint8_t portNumber) const { return naming_.Resolve(portNumber); }
  QString LastOpenError() const { return lastOpenError_; }
  PortNaming& Naming() { return naming_; }
  // True while the device has gone away and not yet come back.
  bool Lost() const { return lost_; }
  // True while the port is open on a transparent network gateway: the line's speed is the one
  // the tool opened it with and cannot change, and there are no modem lines.
  bool Transparent() const { return open_ && backend_->Transparent(); }

  // Every byte and port event also goes to `trace` (the caller's; nullptr: none).
  void SetTrace(LineTrace* trace) { trace_ = trace; }
  bool Tracing() const { return trace_ != nullptr; }
  const LineTrace* Trace() const { return trace_; }

  // Starts the next exchange of the trace: the bytes and events that follow belong to it.
  void BeginExchange(const QString& what);
  // Writes the trace's line of the last exchange now, as at the end of a user action, instead of
  // when the next exchange begins.
  void EndExchange();

 private:
  // The device went away during a read: the port is closed, remembers how it was opened for the
  // next CheckOpen, and the read ends with the system's reason.
  [[noreturn]] void LoseDevice(const QString& reason);
  bool DriveRts(bool on);

  PortNaming naming_;
  std::unique_ptr<SerialBackend> backend_;
  // A backend given by the caller serves every device; otherwise one is chosen at each Open.
  bool fixedBackend_ = false;
  bool open_ = false;
  // The next CheckOpen opens again what was asked last: the device went away, or a network
  // server could not be reached.
  bool retryOpen_ = false;
  uint8_t portNumber_ = 0;
  uint32_t baudRate_ = 0;
  int32_t readTimeoutMs_ = 0;
  QString lastOpenError_;
  QString lastOpenDevice_;  // the device lastOpenError_ is about
  bool lost_ = false;
  LineTrace* trace_ = nullptr;
};

}  // namespace vrx
