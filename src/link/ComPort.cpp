#include "link/ComPort.h"

#include "link/QtSerialBackend.h"
#include "link/Trace.h"
#include "model/Errors.h"

namespace vrx {

namespace {
const char* const kPortClosed = "COM-порт не открыт";
const char* const kNoAnswer = "Нет ответа от прибора";
}  // namespace

TComPort::TComPort(PortNaming naming, std::unique_ptr<SerialBackend> backend)
    : naming_(std::move(naming)), backend_(std::move(backend)) {
  if (!backend_)
    backend_ = std::make_unique<QtSerialBackend>();
}

TComPort::~TComPort() {
  Close();
}

void TComPort::Open(uint8_t portNumber, uint32_t baudRate, int32_t readTimeoutMs) {
  if (open_)
    return;
  const QString device = naming_.Resolve(portNumber);
  QString reason;
  if (!backend_->Open(device, baudRate, &reason)) {
    lastOpenError_ = reason.isEmpty() ? QStringLiteral("не удалось открыть") : reason;
    qCDebug(lcLink) << "open" << device << "failed:" << lastOpenError_;
    return;
  }
  lastOpenError_.clear();
  open_ = true;
  portNumber_ = portNumber;
  baudRate_ = baudRate;
  readTimeoutMs_ = readTimeoutMs;
  qCDebug(lcLink) << "open" << device << baudRate << "baud, read time-out" << readTimeoutMs;
}

void TComPort::Close() {
  if (!open_)
    return;
  backend_->Close();
  open_ = false;
}

void TComPort::Reopen() {
  if (!open_)
    return;
  Close();
  Open(portNumber_, baudRate_, readTimeoutMs_);
}

void TComPort::CheckOpen() const {
  if (!open_)
    throw EComPort(kPortClosed);
}

int TComPort::Read(uint8_t* buffer, int count) {
  CheckOpen();
  if (count <= 0)
    return 0;
  const int got = backend_->Read(buffer, count, readTimeoutMs_);
  qCDebug(lcLink) << "RX" << HexBytes(buffer, got);
  if (got < count)
    throw EComPort(kNoAnswer);
  return got;
}

bool TComPort::Write(const uint8_t* buffer, int count) {
  CheckOpen();
  qCDebug(lcLink) << "TX" << HexBytes(buffer, count);
  return backend_->Write(buffer, count);
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
  return backend_->PurgeInput();
}

void TComPort::SetReadTimeout(int32_t ms) {
  CheckOpen();
  readTimeoutMs_ = ms;
}

bool TComPort::SetRts() {
  CheckOpen();
  return backend_->SetRts(true);
}

bool TComPort::ClearRts() {
  CheckOpen();
  return backend_->SetRts(false);
}

bool TComPort::DsrActive() {
  CheckOpen();
  return backend_->Dsr();
}

}  // namespace vrx
