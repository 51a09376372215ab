#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include "app/MainForm.h"
#include "app/PortsForm.h"
#include "sim/EmulatedInstrument.h"
#include "support/QtPrinters.h"
#include "support/Ser2netServer.h"

namespace vrx {
namespace {

// The instrument sits behind ser2net on the loopback interface: the dialog "Порты" assigns
// COM2 to its rfc2217:// address, the window's port selector chooses COM2, and "Считать" of the
// first tab reads the instrument through the server.
TEST(NetworkPortWindowTest, Com2OnAnRfc2217ServerReadsTheInstrumentByClicks) {
  if (test::Ser2netServer::Executable().isEmpty())
    GTEST_SKIP() << "ser2net is not installed (tools/install-deps.sh installs it)";
  auto emulator = sim::EmulatedInstrument::Start("VRX-L5-2.2");
  test::Ser2netServer server(emulator->SlavePath());
  ASSERT_TRUE(server.Start()) << server.Error().toStdString();
  const QString address = server.Rfc2217Address();

  QTemporaryDir dir;
  const QString file = dir.filePath("tool.ini");
  PortNaming naming([file](int n) {
    return QSettings(file, QSettings::IniFormat).value(PortNaming::PortSettingKey(n)).toString();
  });
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  RunContext context(pacer, cursor, messages, naming, {}, file);
  TMainForm window(context, StartupOptions{});
  {
    TPortsForm form(context, {});
    form.findChild<QComboBox*>("cbPort")->setCurrentIndex(1);
    form.findChild<QLineEdit*>("edDevice")->setText(address);
    form.findChild<QPushButton*>("bnAssign")->click();
    EXPECT_EQ(form.findChild<QLabel*>("lbAssignment")->text(),
              QStringLiteral("COM2 → %1 (сеть)").arg(address));
  }
  auto* selector = window.findChild<QComboBox*>("cbComSelector");
  selector->setCurrentIndex(1);
  emit selector->activated(1);
  EXPECT_EQ(window.findChild<QLabel*>("lbPortStatus")->text(),
            QStringLiteral("COM2 → %1").arg(address));

  window.findChild<QPushButton*>("bbReadIniParams")->click();
  EXPECT_TRUE(messages.All().empty()) << messages.Texts().join('\n').toStdString();
  EXPECT_EQ(window.findChild<QComboBox*>("cbDeviceType")->currentText(), "VRX-L5-2.2");
  EXPECT_EQ(window.findChild<QLineEdit*>("DevNoEdit")->text(), "1234");
}

}  // namespace
}  // namespace vrx
