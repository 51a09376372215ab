// The companion through ser2net, a network serial server we did not write, in front of the
// emulator's pseudo-terminal: through rfc2217:// it gives what the pseudo-terminal gives, a
// transparent gateway refuses what needs another speed or the modem lines, and every network
// fault ends the run at once with the address and the reason.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

#include "cli/VrxCtl.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"
#include "support/Ser2netServer.h"

namespace vrx::test {
namespace {

struct CtlRun {
  int code = 0;
  QString out;
  QString err;
  qint64 ms = 0;
};

std::unique_ptr<sim::HeatCalculator> StillCalculator() {
  sim::HeatCalculatorConfig config;
  // The clock stands still, so the current values stay the same from one run to the next.
  config.clock = [] { return QDateTime(QDate(2026, 12, 9), QTime(1, 2)); };
  return std::make_unique<sim::HeatCalculator>(config);
}

class VrxCtlNetwork : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Ser2netServer::Executable().isEmpty())
      GTEST_SKIP() << "ser2net is not installed (tools/install-deps.sh installs it)";
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
  }

  CtlRun Run(const QString& device, const QStringList& arguments) {
    CtlRun run;
    QString input;
    QTextStream in(&input, QIODevice::ReadOnly);
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    QElapsedTimer timer;
    timer.start();
    run.code = RunVrxCtl(QStringList{"vrxctl", "--port", device} + arguments, in, out, err,
                         [] { return QDateTime(QDate(2024, 12, 31), QTime(23, 59, 42)); });
    run.ms = timer.elapsed();
    out.flush();
    err.flush();
    server.AwaitLineReleased();
    return run;
  }
  QString Pty() const { return QString::fromStdString(emulator.SlavePath()); }

  // A heat calculator at 4800 baud with an interface module at 38400 on the same line.
  sim::EmulatedInstrument emulator{StillCalculator(), sim::InterfaceModuleConfig{}};
  Ser2netServer server{emulator.SlavePath()};
  QTemporaryDir dir;
};

TEST_F(VrxCtlNetwork, Rfc2217GivesWhatThePseudoTerminalGives) {
  const CtlRun form = Run(Pty(), {"settings", "--json"});
  ASSERT_EQ(form.code, 0) << form.err.toStdString();
  const QString formFile = dir.filePath("form.json");
  QFile file(formFile);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(form.out.toUtf8());
  file.close();

  const QStringList cases[] = {
      {"identify"},
      {"settings", "--json"},
      {"current", "--json"},
      // The module listens at 38400 baud, the instrument at 4800: the server's line changes
      // speed for the transaction and back.
      {"current", "--path", "rs", "--json"},
      {"iface", "read"},
      {"init", "--form", formFile, "--time-ok"},
  };
  for (const QStringList& arguments : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const CtlRun local = Run(Pty(), arguments);
    const CtlRun network = Run(server.Rfc2217Address(), arguments);
    EXPECT_EQ(local.code, 0) << local.err.toStdString();
    EXPECT_EQ(network.code, local.code);
    EXPECT_EQ(network.out.toStdString(), local.out.toStdString());
    EXPECT_EQ(network.err.toStdString(), local.err.toStdString());
  }
}

TEST_F(VrxCtlNetwork, TransparentGatewayRefusesAnotherSpeedAndTheModemLinesBeforeSending) {
  const QString gateway = server.TcpAddress();
  const struct {
    QStringList arguments;
    int code;
    QString err;
  } cases[] = {
      // The gateway's line runs at the link speed, where the instrument listens.
      {{"identify"}, 0, ""},
      {{"iface", "read"},
       1,
       QStringLiteral("Через прозрачный шлюз %1 скорость не меняется: обмен идет на 4800 бод, а "
                      "модулю интерфейса нужна 38400 бод. Подключитесь по RFC 2217 (rfc2217://) "
                      "или установите равные скорости.\n")
           .arg(gateway)},
      {{"current", "--path", "opx"},
       1,
       QStringLiteral("Через прозрачный шлюз %1 адаптер OPX не разбудить: линий RTS и DSR шлюз не "
                      "передает. Подключитесь по RFC 2217 (rfc2217://).\n")
           .arg(gateway)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const size_t heard = emulator.Device().Heard().size();
    const CtlRun run = Run(gateway, c.arguments);
    EXPECT_EQ(run.code, c.code);
    EXPECT_EQ(run.err.toStdString(), c.err.toStdString());
    if (c.code != 0) {
      EXPECT_EQ(emulator.Device().Heard().size(), heard) << "a refused action sent something";
    }
  }
  EXPECT_TRUE(emulator.Module()->Frames().empty());
}

TEST_F(VrxCtlNetwork, NetworkFaultsEndTheRunAtOnceWithTheAddressAndTheReason) {
  const QString refused = QStringLiteral("rfc2217://127.0.0.1:%1").arg(Ser2netServer::FreePort());
  const struct {
    QString device;
    QStringList arguments;
    QString err;
  } cases[] = {
      {"rfc2217://nosuchhost.invalid:2217",
       {"identify"},
       "Нет связи с сервером rfc2217://nosuchhost.invalid:2217: узел не найден\n"},
      {refused, {"identify"}, "Нет связи с сервером " + refused + ": соединение отвергнуто\n"},
      // The system refuses a connection to the broadcast address.
      {"tcp://255.255.255.255:2217",
       {"identify"},
       "Нет связи с сервером tcp://255.255.255.255:2217: система отказала в соединении\n"},
      {server.PlainTelnetAddress(),
       {"identify"},
       "Нет связи с сервером " + server.PlainTelnetAddress() +
           ": сервер не поддерживает управление COM-портом (RFC 2217)\n"},
      {"tcp://127.0.0.1:99999",
       {"identify"},
       "Нет связи с сервером tcp://127.0.0.1:99999: адрес должен иметь вид "
       "rfc2217://УЗЕЛ:ПОРТ или tcp://УЗЕЛ:ПОРТ\n"},
      // ser2net does not answer an RTS request on a line without modem signals: the wake-up
      // says so instead of waiting for the adapter.
      {server.Rfc2217Address(),
       {"current", "--path", "opx"},
       "Подключите адаптер OPX к порту ПК\nЛиния RTS порта COM1 (" + server.Rfc2217Address() +
           ") не переключена: сервер не ответил на запрос\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.device.toStdString());
    const CtlRun run = Run(c.device, c.arguments);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.toStdString(), c.err.toStdString());
    // Only the unanswered request is waited for, one second.
    EXPECT_LT(run.ms, 1500);
  }
}

}  // namespace
}  // namespace vrx::test
