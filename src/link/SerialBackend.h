#pragma once

#include <QString>
#include <cstdint>

namespace vrx {

// The operating-system side of a serial port: what TComPort needs from a platform, one call
// per operation. The production backends are QtSerialPort for the devices of the system and
// gensio for network serial servers; tests may put an in-process line here.
class SerialBackend {
 public:
  virtual ~SerialBackend() = default;

  // Opens the device 8-N-1, raw, DTR asserted and RTS released. On failure returns false and
  // leaves the reason in *reason, in Russian with what to do where the user can act on it
  // (PortOpenReason), else the operating system's.
  virtual bool Open(const QString& device, uint32_t baudRate, QString* reason) = 0;
  virtual void Close() = 0;
  // Reads up to count bytes, waiting until count have come or timeoutMs have passed in all.
  // Returns how many arrived.
  virtual int Read(uint8_t* buffer, int count, int timeoutMs) = 0;
  virtual bool Write(const uint8_t* buffer, int count) = 0;
  // Discards what the driver and any buffer above it hold of received bytes.
  virtual bool PurgeInput() = 0;
  virtual bool SetRts(bool on) = 0;
  virtual bool Dsr() = 0;
  // Why the device went away during the last Read (an adapter pulled out, a line hung up): the
  // operating system's reason, empty while the device is there. A line that cannot vanish keeps
  // the default.
  virtual QString LostReason() const { return {}; }
  // A transparent network gateway carries bytes only: the speed of its line is set on the
  // gateway, and it has no modem lines. A serial device and an RFC 2217 server do both.
  virtual bool Transparent() const { return false; }
  // Why the last SetRts failed where the line can tell (a network server that did not answer
  // the request); empty otherwise, e.g. a pseudo-terminal without modem lines.
  virtual QString ModemLineFailure() const { return {}; }
};

}  // namespace vrx
