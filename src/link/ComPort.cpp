#include "link/ComPort.h"

#include "link/NetworkAddress.h"
#include "link/Trace.h"
#include "model/Errors.h"

namespace vrx {

namespace {
const char* const kNoAnswer = "Нет ответа от прибора";
}  // namespace

TComPort::TComPort(PortNaming naming, std::unique_ptr<SerialBackend> backend)
    : naming_(std::move(naming)),
      backend_(std::move(backend)),
      fixedBackend_(backend_ != nullptr) {}

TComPort::~TComPort() {
  Close();
}

void TComPort::Open(uint8_t portNumber, uint32_t baudRate, int32_t readTimeoutMs) {
  if (open_)
    return;
  const QString device = naming_.Resolve(portNumber);
  if (!fixedBackend_)
    backend_ = PortNaming::BackendFor(device);
  QString reason;
  if (!backend_->Open(device, baudRate, &reason)) {
    lastOpenError_ = reason.isEmpty() ? QStringLiteral("не удалось открыть") : reason;
    lastOpenDevice_ = device;
    qCDebug(lcLink) << "open" << device << "failed:" << lastOpenError_;
    if (trace_ != nullptr)
      trace_->Event(QStringLiteral("open %1 failed: %2").arg(device, lastOpenError_));
    // While the device is away, the next CheckOpen tries again what was asked last (the Modbus
    // link's return to the link speed, or another port chosen meanwhile); so it does after a
    // network server could not be reached, as it may be back by then.
    if (retryOpen_ || NetworkAddress::Names(device)) {
      retryOpen_ = true;
      portNumber_ = portNumber;
      baudRate_ = baudRate;
      readTimeoutMs_ = readTimeoutMs;
    }
    return;
  }
  lastOpenError_.clear();
  open_ = true;
  lost_ = false;
  retryOpen_ = false;
  portNumber_ = portNumber;
  baudRate_ = baudRate;
  readTimeoutMs_ = readTimeoutMs;
  qCDebug(lcLink) << "open" << device << baudRate << "baud, read time-out" << readTimeoutMs;
  if (trace_ != nullptr)
    trace_->Event(QStringLiteral("open %1 %2 baud").arg(device).arg(baudRate));
}

void TComPort::Close() {
  if (!open_)
    return;
  backend_->Close();
  open_ = false;
}

void TComPort::OpenOnNextAction(uint8_t portNumber, uint32_t baudRate, int32_t readTimeoutMs) {
  retryOpen_ = true;
  portNumber_ = portNumber;
  baudRate_ = baudRate;
  readTimeoutMs_ = readTimeoutMs;
}

void TComPort::Reopen() {
  if (!open_)
    return;
  Close();
  Open(portNumber_, baudRate_, readTimeoutMs_);
}

void TComPort::CheckOpen() {
  if (retryOpen_)
    Open(portNumber_, baudRate_, readTimeoutMs_);
  if (open_)
    return;
  if (const QString device = naming_.Resolve(portNumber_);
      retryOpen_ && NetworkAddress::Names(device)) {
    throw EComPort(QStringLiteral("Нет связи с сервером %1: %2").arg(device, lastOpenError_));
  }
  if (lastOpenError_.isEmpty())
    throw EComPort(kNotOpen);
  throw EComPort(QStringLiteral("%1\n%2: %3")
                     .arg(QString::fromUtf8(kNotOpen), lastOpenDevice_, lastOpenError_));
}

void TComPort::BeginExchange(const QString& what) {
  if (trace_ != nullptr)
    trace_->BeginExchange(what);
}

void TComPort::EndExchange() {
  if (trace_ != nullptr)
    trace_->EndExchange();
}

int TComPort::Read(uint8_t* buffer, int count) {
  CheckOpen();
  if (count <= 0)
    return 0;
  const int got = backend_->Read(buffer, count, readTimeoutMs_);
  qCDebug(lcLink) << "RX" << HexBytes(buffer, got);
  if (trace_ != nullptr)
    trace_->Bytes(LineTrace::Direction::kReceived, baudRate_, buffer, got);
  if (got < count) {
    if (const QString reason = backend_->LostReason(); !reason.isEmpty())
      LoseDevice(reason);
    if (trace_ != nullptr)
      trace_->Event(QStringLiteral("no answer: %1 of %2 bytes").arg(got).arg(count));
    throw EComPort(kNoAnswer);
  }
  return got;
}

bool TComPort::Write(const uint8_t* buffer, int count) {
  CheckOpen();
  qCDebug(lcLink) << "TX" << HexBytes(buffer, count);
  if (trace_ != nullptr)
    trace_->Bytes(LineTrace::Direction::kSent, baudRate_, buffer, count);
  return backend_->Write(buffer, count);
}

void TComPort::LoseDevice(const QString& reason) {
  const QString device = naming_.Resolve(portNumber_);
  qCDebug(lcLink) << "lost" << device << reason;
  if (trace_ != nullptr)
    trace_->Event(QStringLiteral("lost %1: %2").arg(device, reason));
  backend_->Close();
  open_ = false;
  lost_ = true;
  retryOpen_ = true;
  lastOpenError_ = reason;
  lastOpenDevice_ = device;
  throw EComPort(
      QStringLiteral("Порт COM%1 (%2) отключен: %3").arg(portNumber_).arg(device, reason));
}

uint8_t TComPort::ReadByte() {
  uint8_t byte = 0;
  Read(&byte, 1);
  return byte;
}

void TComPort::WriteByte(uint8_t byte) {
  Write(&byte, 1);
}

bool TComPort::PurgeInput() {
  CheckOpen();
  if (backend_->PurgeInput())
    return true;
  // A network connection that broke since the last exchange (the server was restarted) is made
  // again before anything is sent; the action fails only when it cannot be.
  const QString reason = backend_->LostReason();
  if (reason.isEmpty())
    return false;
  const QString device = naming_.Resolve(portNumber_);
  qCDebug(lcLink) << "lost" << device << reason;
  if (trace_ != nullptr)
    trace_->Event(QStringLiteral("lost %1: %2").arg(device, reason));
  Close();
  retryOpen_ = true;
  CheckOpen();
  return backend_->PurgeInput();
}

void TComPort::SetReadTimeout(int32_t ms) {
  CheckOpen();
  readTimeoutMs_ = ms;
}

bool TComPort::SetRts() {
  return DriveRts(true);
}

bool TComPort::ClearRts() {
  return DriveRts(false);
}

bool TComPort::DriveRts(bool on) {
  CheckOpen();
  if (backend_->SetRts(on))
    return true;
  if (const QString failure = backend_->ModemLineFailure(); !failure.isEmpty()) {
    throw EComPort(QStringLiteral("Линия RTS порта COM%1 (%2) не переключена: %3")
                       .arg(portNumber_)
                       .arg(naming_.Resolve(portNumber_), failure));
  }
  return false;
}

bool TComPort::DsrActive() {
  CheckOpen();
  return backend_->Dsr();
}

}  // namespace vrx
