#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <map>

#include "link/SerialBackend.h"

struct gensio;
struct sergensio;

namespace vrx {

// SerialBackend on a network serial server, through the gensio library. An rfc2217:// address
// speaks telnet with COM-port control: the speed, the framing and the modem lines are set
// through the server. A tcp:// address is a plain byte stream to a transparent gateway.
//
// Used synchronously like a serial device: every call runs the library's events in the calling
// thread until it is done or its time is up; nothing runs in the background. A connection that
// breaks ends the read in progress at once with the reason (LostReason).
class GensioBackend : public SerialBackend {
 public:
  GensioBackend() = default;
  ~GensioBackend() override;
  GensioBackend(const GensioBackend&) = delete;
  GensioBackend& operator=(const GensioBackend&) = delete;

  bool Open(const QString& device, uint32_t baudRate, QString* reason) override;
  void Close() override;
  int Read(uint8_t* buffer, int count, int timeoutMs) override;
  bool Write(const uint8_t* buffer, int count) override;
  bool PurgeInput() override;
  bool SetRts(bool on) override;
  bool Dsr() override;
  QString LostReason() const override { return lostReason_; }
  bool Transparent() const override { return sio_ == nullptr; }
  QString ModemLineFailure() const override { return modemLineFailure_; }

 private:
  struct Events;
  friend struct Events;

  // Runs the library's events until `done` holds or `timeoutMs` have passed; false on time-out.
  template <typename Done>
  bool ServiceUntil(Done done, int timeoutMs);
  // Runs the events that are due now.
  void Poll();
  // Opens the connection; returns the library's error (0 on success).
  int Connect(const QByteArray& gensioAddress);
  // Speed and framing through the server, then DTR on, RTS off and DSR reports; returns why
  // the server did not take them (empty on success).
  QString SetUpLine(uint32_t baudRate);
  // The number the next control request is sent under.
  void* NextRequest() { return reinterpret_cast<void*>(++lastRequest_); }
  // Waits for the answers to the requests numbered from `first` to the last one sent.
  bool AwaitAnswers(uintptr_t first, int* error);
  // Remembers that the connection broke; the reads and writes end with the reason from now on.
  void Break(int error);

  gensio* io_ = nullptr;
  sergensio* sio_ = nullptr;  // the COM-port control of an rfc2217:// connection
  bool opening_ = false;
  bool closing_ = false;
  int openError_ = 0;
  int connectionError_ = 0;
  std::deque<uint8_t> received_;
  bool dsr_ = false;
  // The server's answers to control requests by request number (the library's error, 0 when
  // taken). A request given up on may still be answered later, under its own number.
  std::map<uintptr_t, int> answers_;
  uintptr_t lastRequest_ = 0;
  QString lostReason_;
  QString modemLineFailure_;
};

}  // namespace vrx
