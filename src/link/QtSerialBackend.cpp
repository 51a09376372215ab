#include "link/QtSerialBackend.h"

#include <QDeadlineTimer>
#include <QThread>
#include <algorithm>

namespace vrx {

namespace {
// Writes have no time-out of their own; this bound only keeps a dead driver from hanging the
// program forever.
constexpr int kWriteDrainMs = 30000;
}  // namespace

bool QtSerialBackend::Open(const QString& device, uint32_t baudRate, QString* reason) {
  auto port = std::make_unique<QSerialPort>();
  port->setPortName(device);
  if (!port->open(QIODevice::ReadWrite)) {
    if (reason != nullptr)
      *reason = port->errorString();
    return false;
  }
  port->setBaudRate(static_cast<qint32>(baudRate));
  port->setDataBits(QSerialPort::Data8);
  port->setParity(QSerialPort::NoParity);
  port->setStopBits(QSerialPort::OneStop);
  port->setFlowControl(QSerialPort::NoFlowControl);
  // Modem lines: a pseudo-terminal has none, and the port must work all the same, so the
  // results are not checked (the instrument simply sees no DTR there).
  port->setDataTerminalReady(true);
  port->setRequestToSend(false);
  port->clearError();
  port_ = std::move(port);
  return true;
}

void QtSerialBackend::Close() {
  if (port_)
    port_->close();
  port_.reset();
}

int QtSerialBackend::Read(uint8_t* buffer, int count, int timeoutMs) {
  if (!port_)
    return 0;
  QDeadlineTimer deadline(timeoutMs);
  int got = 0;
  while (got < count) {
    const qint64 n = port_->read(reinterpret_cast<char*>(buffer) + got, count - got);
    if (n > 0) {
      got += static_cast<int>(n);
      continue;
    }
    const qint64 left = deadline.remainingTime();
    if (left <= 0)
      break;
    if (!port_->waitForReadyRead(static_cast<int>(left)) && port_->bytesAvailable() == 0) {
      // A line error ends the wait early; the request still lasts its full time-out, as the
      // operating system's total read time-out would.
      if (port_->error() != QSerialPort::TimeoutError) {
        port_->clearError();
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
      }
    }
  }
  return got;
}

bool QtSerialBackend::Write(const uint8_t* buffer, int count) {
  if (!port_)
    return false;
  const qint64 n = port_->write(reinterpret_cast<const char*>(buffer), count);
  while (port_->bytesToWrite() > 0) {
    if (!port_->waitForBytesWritten(kWriteDrainMs))
      return false;
  }
  return n == count;
}

bool QtSerialBackend::PurgeInput() {
  // QSerialPort::clear drops its own read buffer as well as the driver's receive queue.
  return port_ && port_->clear(QSerialPort::Input);
}

bool QtSerialBackend::SetRts(bool on) {
  return port_ && port_->setRequestToSend(on);
}

bool QtSerialBackend::Dsr() {
  return port_ && (port_->pinoutSignals() & QSerialPort::DataSetReadySignal);
}

}  // namespace vrx
