// A port whose device goes away in the middle of a reply, as a USB adapter pulled out of the PC:
// the emulator hangs up its end of the pseudo-terminal. The action ends with the system's reason,
// a write is never reported as done, and once the device is back under the same name (here a
// symbolic link, as the by-id names of USB adapters are) the next action opens the port again.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "link/Connection.h"
#include "sim/EmulatedInstrument.h"
#include "support/LinkTestSupport.h"

namespace vrx::test {
namespace {

constexpr uint32_t kLinkBaud = 4800;

struct VanishingLine {
  QTemporaryDir dir;
  QString device = dir.filePath(QStringLiteral("ttyUSB0"));
  std::unique_ptr<sim::EmulatedInstrument> emulator;
  Connection connection;

  VanishingLine() {
    PlugIn();
    connection.port.Naming().SetOverride(1, device);
    connection.port.Open(1, kLinkBaud, 1500);
  }
  ~VanishingLine() { connection.port.Close(); }

  // A fresh instrument behind the same device name.
  void PlugIn() {
    emulator =
        sim::EmulatedInstrument::Start("VRX-L13-2.2", kLinkBaud, sim::InterfaceModuleConfig{});
    QFile::remove(device);
    ASSERT_TRUE(QFile::link(QString::fromStdString(emulator->SlavePath()), device));
  }
};

TEST(PortLoss, ActionEndsWithTheReasonAndTheNextActionReopensThePort) {
  struct Case {
    const char* name;
    std::function<void(Connection&)> before;  // gets the instrument ready for the action
    std::function<void(Connection&)> action;
    int bytesBeforeHangUp;
  };
  const Case cases[] = {
      {"settings read", [](Connection& c) { c.link.IdentifyDevice(); },
       [](Connection& c) { c.link.ReadSettings(); }, 20},
      {"settings write",
       [](Connection& c) {
         c.link.IdentifyDevice();
         c.link.ReadSettings();
       },
       // The data echo is cut off: WriteSettings must not return as if the block was written.
       [](Connection& c) { c.link.WriteSettings(false, {}); }, 30},
      {"Modbus transaction", [](Connection&) {},
       [](Connection& c) { c.modbus.ReadInterfaceSettings(); }, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VanishingLine line;
    TComPort& port = line.connection.port;
    c.before(line.connection);
    line.emulator->Line().Arm(sim::LineFault::HangUp, c.bytesBeforeHangUp);

    const std::string expected =
        QStringLiteral("Порт COM1 (%1) отключен: ").arg(line.device).toStdString();
    const std::string error = ErrorOf([&] { c.action(line.connection); });
    EXPECT_EQ(error.substr(0, expected.size()), expected);
    EXPECT_GT(error.size(), expected.size()) << "the system's reason is missing";
    EXPECT_TRUE(port.Lost());

    // Still away: the next action says the port is not open and why, and keeps waiting for it.
    // The by-id name goes with the adapter; the pseudo-terminal's number it led to may already
    // serve a line of another test running meanwhile.
    QFile::remove(line.device);
    EXPECT_EQ(ErrorOf([&] { line.connection.link.IdentifyDevice(); }),
              QStringLiteral("COM-порт не открыт\n%1: нет такого устройства. Подключен ли "
                             "адаптер? Устройство порта выбирается в «Порты…».")
                  .arg(line.device)
                  .toStdString());
    line.PlugIn();
    EXPECT_EQ(ErrorOf([&] { line.connection.link.IdentifyDevice(); }), "<no error>");
    EXPECT_FALSE(port.Lost());
    EXPECT_EQ(port.BaudRate(), kLinkBaud);
  }
}

}  // namespace
}  // namespace vrx::test
