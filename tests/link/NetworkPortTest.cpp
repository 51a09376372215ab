// A port on a network serial server (ser2net in front of the emulator's pseudo-terminal) whose
// server goes away: the action in progress ends at once with the address and the reason, and
// the next action after the server is back connects again.

#include <gtest/gtest.h>

#include <QElapsedTimer>
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

}  // namespace
}  // namespace vrx::test
