#include "link/QtSerialBackend.h"

#include <QDeadlineTimer>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "link/PortOpenReason.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#endif

namespace vrx {

namespace {
// Writes have no time-out of their own; this bound only keeps a dead driver from hanging the
// program forever.
constexpr int kWriteDrainMs = 30000;

#ifdef Q_OS_UNIX
QString UserName(uid_t uid) {
  const passwd* entry = ::getpwuid(uid);
  return entry != nullptr ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

QString GroupName(gid_t gid) {
  const group* entry = ::getgrgid(gid);
  return entry != nullptr ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}
#endif

// Why `port` did not open `device`. QSerialPort reports a device the user may not open and one
// another program holds alike, as a permission error, so the device itself is asked which.
PortOpenFailure OpenFailureOf(const QSerialPort& port, const QString& device) {
  PortOpenFailure failure;
  failure.system = port.errorString();
  if (port.error() == QSerialPort::DeviceNotFoundError) {
    failure.kind = PortOpenFailure::Kind::kNoDevice;
  } else if (port.error() == QSerialPort::PermissionError) {
#ifdef Q_OS_UNIX
    // A name without a folder is one in /dev, as QSerialPort takes it.
    const QByteArray path =
        QFile::encodeName(device.startsWith(QLatin1Char('/')) ? device : "/dev/" + device);
    struct stat status {};
    if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES &&
        ::stat(path.constData(), &status) == 0) {
      failure.kind = PortOpenFailure::Kind::kPermission;
      failure.user = UserName(::geteuid());
      failure.group = GroupName(status.st_gid);
    } else {
      // The user may open it: another program holds it (a lock file or exclusive use).
      failure.kind = PortOpenFailure::Kind::kBusy;
    }
#else
    (void)device;
    // Windows answers a port that another program holds with "access denied".
    failure.kind = PortOpenFailure::Kind::kBusy;
#endif
  }
  return failure;
}

}  // namespace

bool QtSerialBackend::Open(const QString& device, uint32_t baudRate, QString* reason) {
  auto port = std::make_unique<QSerialPort>();
  port->setPortName(device);
  if (!port->open(QIODevice::ReadWrite)) {
    if (reason != nullptr)
      *reason = PortOpenReason(OpenFailureOf(*port, device));
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
  lostReason_.clear();
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
      if (port_->error() != QSerialPort::TimeoutError) {
        // The device itself may be gone (a USB adapter pulled out, the far end of a
        // pseudo-terminal closed): no later byte can come, so the request ends now with the
        // system's reason.
        got += ProbeLostDevice(buffer + got);
        if (!lostReason_.isEmpty())
          break;
        // Any other line error ends the wait early; the request still lasts its full time-out,
        // as the operating system's total read time-out would.
        port_->clearError();
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
      }
    }
  }
  return got;
}

int QtSerialBackend::ProbeLostDevice(uint8_t* byte) {
#ifdef Q_OS_UNIX
  // QSerialPort reports a hung-up terminal as a read error whose text is often another call's,
  // so the terminal is asked directly: it polls as HUP or ERR and every read fails with the
  // system's reason. A byte that the probe reads after all is kept.
  const int fd = static_cast<int>(port_->handle());
  pollfd probe{fd, POLLIN, 0};
  if (::poll(&probe, 1, 0) <= 0 || (probe.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0)
    return 0;
  const ssize_t n = ::read(fd, byte, 1);
  if (n > 0)
    return 1;
  lostReason_ = QString::fromLocal8Bit(std::strerror(n < 0 ? errno : EIO));
#else
  (void)byte;
  if (port_->error() == QSerialPort::ResourceError)
    lostReason_ = port_->errorString();
#endif
  return 0;
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
