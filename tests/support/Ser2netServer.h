#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdint>
#include <string>

namespace vrx::test {

// ser2net, a network serial server we did not write, serving a pseudo-terminal (the emulator's
// line) on the loopback interface from a configuration written here. Three ports lead to the
// same line: telnet with COM-port control (RFC 2217), raw TCP (a transparent gateway whose line
// runs at `baud`), and telnet without COM-port control (a server that refuses it). The server
// sends every byte from the line at once (no character delay) and its answers without the Nagle
// delay, as the README advises.
class Ser2netServer {
 public:
  // The program, or empty when ser2net is not installed (tools/install-deps.sh installs it).
  static QString Executable() {
    QString found = QStandardPaths::findExecutable(QStringLiteral("ser2net"));
    if (found.isEmpty()) {
      found = QStandardPaths::findExecutable(
          QStringLiteral("ser2net"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    }
    return found;
  }

  Ser2netServer(const std::string& device, uint32_t baud = 4800)
      : device_(QString::fromStdString(device)) {
    const QString connector = QStringLiteral("serialdev,%1,%2n81,local").arg(device_).arg(baud);
    QFile file(config_);
    if (!file.open(QIODevice::WriteOnly))
      return;
    int n = 0;
    for (const QString& accepter :
         {QStringLiteral("telnet(rfc2217),tcp(nodelay),127.0.0.1,%1").arg(rfc2217Port_),
          QStringLiteral("tcp(nodelay),127.0.0.1,%1").arg(tcpPort_),
          QStringLiteral("telnet,tcp(nodelay),127.0.0.1,%1").arg(plainTelnetPort_)}) {
      file.write(QStringLiteral("connection: &port%1\n"
                                "  accepter: %2\n"
                                "  connector: %3\n"
                                "  options:\n"
                                "    chardelay: false\n")
                     .arg(++n)
                     .arg(accepter, connector)
                     .toUtf8());
    }
  }
  ~Ser2netServer() { Stop(); }
  Ser2netServer(const Ser2netServer&) = delete;
  Ser2netServer& operator=(const Ser2netServer&) = delete;

  // Starts the server and waits until it takes connections. False, with the reason in Error(),
  // when it does not.
  bool Start() {
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(Executable(),
                   {QStringLiteral("-n"), QStringLiteral("-u"), QStringLiteral("-c"), config_});
    if (!process_.waitForStarted()) {
      error_ = process_.errorString();
      return false;
    }
    const QDeadlineTimer deadline(5000);
    while (!Listening(rfc2217Port_) || !Listening(tcpPort_) || !Listening(plainTelnetPort_)) {
      if (deadline.hasExpired() || process_.state() != QProcess::Running) {
        error_ = QStringLiteral("ser2net takes no connection: ") +
                 QString::fromLocal8Bit(process_.readAll());
        return false;
      }
      QThread::msleep(20);
    }
    pid_ = static_cast<pid_t>(process_.processId());
    return true;
  }
  // Ends the server as a service stop does; may be called from another thread.
  void Terminate() const {
    if (pid_ > 0)
      ::kill(pid_, SIGTERM);
  }
  void Stop() {
    if (process_.state() == QProcess::NotRunning)
      return;
    process_.terminate();
    if (!process_.waitForFinished(5000))
      process_.kill();
    process_.waitForFinished();
    pid_ = 0;
  }

  // Waits until the server has let go of the line after a connection ended: it closes the line
  // (and sets it back as it found it) a little after the client, which would disturb a tool
  // opening the same pseudo-terminal directly at once.
  void AwaitLineReleased() const {
    const QDeadlineTimer deadline(2000);
    while (HoldsLine() && !deadline.hasExpired())
      QThread::msleep(5);
  }

  QString Error() const { return error_; }
  QString Rfc2217Address() const {
    return QStringLiteral("rfc2217://127.0.0.1:%1").arg(rfc2217Port_);
  }
  QString TcpAddress() const { return QStringLiteral("tcp://127.0.0.1:%1").arg(tcpPort_); }
  // The same line through telnet without COM-port control, called by its rfc2217:// address.
  QString PlainTelnetAddress() const {
    return QStringLiteral("rfc2217://127.0.0.1:%1").arg(plainTelnetPort_);
  }

  // A port of the loopback interface that nothing listens at now.
  static uint16_t FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
  }

 private:
  // Whether something listens at the port. Asked of the kernel's socket table rather than by
  // connecting: a connection would make the server open the line and close it again.
  static bool Listening(uint16_t port) {
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly | QIODevice::Text))
      return false;
    const QByteArray local = QByteArrayLiteral("0100007F:") +
                             QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const QByteArray& line : table.readAll().split('\n')) {
      const QList<QByteArray> fields = line.simplified().split(' ');
      // sl, local address, remote address, state (0A: listening)
      if (fields.size() > 3 && fields[1] == local && fields[3] == "0A")
        return true;
    }
    return false;
  }

  bool HoldsLine() const {
    const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(pid_));
    for (const QFileInfo& entry : descriptors.entryInfoList(QDir::Files | QDir::System)) {
      if (entry.symLinkTarget() == device_)
        return true;
    }
    return false;
  }

  QString device_;
  QTemporaryDir dir_;
  QString config_ = dir_.filePath(QStringLiteral("ser2net.yaml"));
  uint16_t rfc2217Port_ = FreePort();
  uint16_t tcpPort_ = FreePort();
  uint16_t plainTelnetPort_ = FreePort();
  QProcess process_;
  pid_t pid_ = 0;
  QString error_;
};

}  // namespace vrx::test
