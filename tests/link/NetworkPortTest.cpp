// A port on a network serial server (ser2net in front of the emulator's pseudo-terminal) whose
// server goes away: the action in progress ends at once with the address and the reason, and
// the next action after the server is back connects again. And a server that takes COM-port
// control but never answers a request.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <atomic>
#include <thread>

#include "link/Connection.h"
#include "sim/EmulatedInstrument.h"
#include "support/LinkTestSupport.h"
#include "support/Ser2netServer.h"

namespace vrx::test {
namespace {

TEST(NetworkPort, ServerStoppedDuringASettingsReadEndsItAndTheNextActionConnectsAgain) {
  if (Ser2netServer::Executable().isEmpty())
    GTEST_SKIP() << "ser2net is not installed (tools/install-deps.sh installs it)";
  auto emulator = sim::EmulatedInstrument::Start("VRX-L13-2.2");
  Ser2netServer server(emulator->SlavePath());
  ASSERT_TRUE(server.Start()) << server.Error().toStdString();
  const QString address = server.Rfc2217Address();
  Connection connection;
  connection.port.Naming().SetOverride(1, address);
  connection.port.Open(1, 4800, 1500);
  connection.link.IdentifyDevice();

  // The two reads of the image take about 0.5 s at 4800 baud; the server stops in the first.
  std::thread stop([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    server.Terminate();
  });
  QElapsedTimer timer;
  timer.start();
  const std::string error = ErrorOf([&] { connection.link.ReadSettings(); });
  const qint64 elapsed = timer.elapsed();
  stop.join();
  EXPECT_EQ(
      error,
      QStringLiteral("Порт COM1 (%1) отключен: соединение разорвано").arg(address).toStdString());
  EXPECT_LT(elapsed, 2000);

  server.Stop();
  EXPECT_EQ(
      ErrorOf([&] { connection.link.IdentifyDevice(); }),
      QStringLiteral("Нет связи с сервером %1: соединение отвергнуто").arg(address).toStdString());

  // The instrument goes on with the reply the server cut off, as it would on a cable; an
  // engineer starts the server again long after it is done.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(server.Start()) << server.Error().toStdString();
  EXPECT_EQ(ErrorOf([&] {
              connection.link.IdentifyDevice();
              connection.link.ReadSettings();
            }),
            "<no error>");

  // Restarted between two actions: the broken connection is noticed before anything is sent
  // and made again.
  server.Stop();
  ASSERT_TRUE(server.Start()) << server.Error().toStdString();
  EXPECT_EQ(ErrorOf([&] { connection.link.IdentifyDevice(); }), "<no error>");
  connection.port.Close();
}

// A telnet server that agrees to COM-port control and then answers nothing, on every
// connection, until it is destroyed.
class SilentComPortServer {
 public:
  SilentComPortServer() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 4);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~SilentComPortServer() {
    stop_ = true;
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
  }
  QString Address() const { return QStringLiteral("rfc2217://127.0.0.1:%1").arg(port_); }

 private:
  void Serve() {
    while (!stop_) {
      const int client = ::accept(listener_, nullptr, nullptr);
      if (client < 0)
        return;
      // The client's IAC WILL COM-PORT-OPTION is answered with IAC DO; nothing else is.
      const uint8_t agree[] = {0xFF, 0xFD, 0x2C};
      uint8_t buffer[256];
      ssize_t n = 0;
      while ((n = ::recv(client, buffer, sizeof buffer, 0)) > 0) {
        for (ssize_t i = 0; i + 2 < n; ++i) {
          if (buffer[i] == 0xFF && buffer[i + 1] == 0xFB && buffer[i + 2] == 0x2C)
            ::send(client, agree, sizeof agree, MSG_NOSIGNAL);
        }
      }
      ::close(client);
    }
  }

  int listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST(NetworkPort, ServerThatNeverAnswersTheSpeedIsNotConnectedTo) {
  SilentComPortServer server;
  Connection connection;
  connection.port.Naming().SetOverride(1, server.Address());
  QElapsedTimer timer;
  timer.start();
  connection.port.Open(1, 4800, 1500);
  EXPECT_FALSE(connection.port.IsOpen());
  EXPECT_EQ(connection.port.LastOpenError().toStdString(),
            "сервер не ответил на установку скорости");
  // A second, not a read time-out or the library's own five.
  EXPECT_LT(timer.elapsed(), 1500);
  EXPECT_EQ(ErrorOf([&] { connection.link.IdentifyDevice(); }),
            QStringLiteral("Нет связи с сервером %1: сервер не ответил на установку скорости")
                .arg(server.Address())
                .toStdString());
}

// A server that takes no more connections: its accept queue is full (one connection waits in a
// queue of one), so the system drops the next connection's SYN, as a host that drops the packets
// does, and the connection is given up after the library's five seconds.
TEST(NetworkPort, ServerWhoseConnectionNeverCompletesIsGivenUp) {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 0), 0);
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  const int waiting = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_EQ(::connect(waiting, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  const QString server = QStringLiteral("tcp://127.0.0.1:%1").arg(ntohs(address.sin_port));
  Connection connection;
  connection.port.Naming().SetOverride(1, server);
  QElapsedTimer timer;
  timer.start();
  connection.port.Open(1, 4800, 1500);
  EXPECT_FALSE(connection.port.IsOpen());
  EXPECT_EQ(connection.port.LastOpenError().toStdString(), "сервер не отвечает");
  EXPECT_GE(timer.elapsed(), 4900);
  EXPECT_LT(timer.elapsed(), 7000);
  // The next action tries once more, as long.
  EXPECT_EQ(
      ErrorOf([&] { connection.link.IdentifyDevice(); }),
      QStringLiteral("Нет связи с сервером %1: сервер не отвечает").arg(server).toStdString());
  ::close(waiting);
  ::close(listener);
}

}  // namespace
}  // namespace vrx::test
