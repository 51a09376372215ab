#include "app/PortsForm.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "app/MainForm.h"
#include "app/PortSettings.h"
#include "sim/EmulatedInstrument.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

// The dialog assigns a device to a port in the settings file of the run; a window started
// later with the same file opens that device, and its port selector says where each port leads.
TEST(PortsFormTest, AnAssignedDeviceIsKeptAndTheNextWindowOpensIt) {
  QTemporaryDir dir;
  const QString file = dir.filePath("tool.ini");
  auto naming = [file] {
    return PortNaming([file](int n) {
      return QSettings(file, QSettings::IniFormat).value(PortNaming::PortSettingKey(n)).toString();
    });
  };
  auto emulator = sim::EmulatedInstrument::Start("VRX-L13-2.2");
  const QString pty = QString::fromStdString(emulator->SlavePath());
  const std::vector<SerialDevice> devices = {
      {"/dev/ttyUSB7", "FT232R USB UART", "FTDI", 0x0403, 0x6001, "A10K3XYZ"},
      {pty, "", "", std::nullopt, std::nullopt, ""},
  };
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  {
    RunContext context(pacer, cursor, messages, naming(), {}, file);
    TPortsForm form(context, devices);
    auto* table = form.findChild<QTableWidget*>("sgDevices");
    ASSERT_NE(table, nullptr);
    const QStringList firstRow = {"/dev/ttyUSB7", "FT232R USB UART", "FTDI", "0403:6001",
                                  "A10K3XYZ"};
    for (int column = 0; column < firstRow.size(); ++column)
      EXPECT_EQ(table->item(0, column)->text(), firstRow[column]);

    table->selectRow(1);
    EXPECT_EQ(form.findChild<QLineEdit*>("edDevice")->text(), pty);
    form.findChild<QComboBox*>("cbPort")->setCurrentIndex(1);
    auto* assignment = form.findChild<QLabel*>("lbAssignment");
    EXPECT_EQ(assignment->text(), "COM2 → /dev/ttyS1 (нет)");
    form.findChild<QPushButton*>("bnAssign")->click();
    EXPECT_EQ(assignment->text(), QStringLiteral("COM2 → %1 (есть)").arg(pty));
  }
  QSettings(file, QSettings::IniFormat).setValue("ComNumber", 2);

  RunContext context(pacer, cursor, messages, naming(), {}, file);
  TMainForm window(context, StartupOptions{});
  ASSERT_TRUE(context.connection.port.IsOpen());
  EXPECT_EQ(window.findChild<QLabel*>("lbPortStatus")->text(),
            QStringLiteral("COM2 → %1").arg(pty));
  auto* selector = window.findChild<QComboBox*>("cbComSelector");
  EXPECT_EQ(selector->itemData(1, Qt::ToolTipRole).toString(),
            QStringLiteral("COM2 → %1 (есть)").arg(pty));
  context.connection.link.IdentifyDevice();
  EXPECT_STREQ(context.connection.state.DeviceType->Name, "VRX-L13-2.2");
  EXPECT_TRUE(messages.All().empty());
}

// "Обновить" lists what the scan finds now; a double click assigns its row; a device that is not
// there is kept only after "Да".
TEST(PortsFormTest, RescansAssignsOnDoubleClickAndAsksBeforeKeepingAMissingDevice) {
  QTemporaryDir dir;
  const QString file = dir.filePath("tool.ini");
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  RunContext context(pacer, cursor, messages, PortNaming(PortNaming::SettingLookup{}), {}, file);
  const QString present = dir.filePath("ttyUSB0");
  QFile(present).open(QIODevice::WriteOnly);
  std::vector<SerialDevice> later = {{present, "FT232R USB UART", "FTDI", 0x0403, 0x6001, "A1"}};
  TPortsForm form(context, {}, nullptr, [&] { return later; });
  auto* table = form.findChild<QTableWidget*>("sgDevices");
  EXPECT_EQ(table->rowCount(), 0);
  form.findChild<QPushButton*>("bnRescan")->click();
  ASSERT_EQ(table->rowCount(), 1);
  EXPECT_EQ(table->item(0, 0)->text(), present);
  EXPECT_TRUE(form.findChild<QLineEdit*>("edDevice")->placeholderText().contains("/dev/ttyUSB0"));

  form.findChild<QComboBox*>("cbPort")->setCurrentIndex(2);
  table->selectRow(0);
  emit table->cellDoubleClicked(0, 1);
  const auto kept = [&] { return QSettings(file, QSettings::IniFormat).value("Ports/COM3"); };
  EXPECT_EQ(kept().toString(), present);
  EXPECT_TRUE(messages.All().empty());

  const QString missing = dir.filePath("ttyUSB9");
  form.findChild<QLineEdit*>("edDevice")->setText(missing);
  messages.Answer(2);
  form.findChild<QPushButton*>("bnAssign")->click();
  EXPECT_EQ(kept().toString(), present);
  messages.Answer(1);
  form.findChild<QPushButton*>("bnAssign")->click();
  EXPECT_EQ(kept().toString(), missing);
  const QString question =
      QStringLiteral("Устройства %1 сейчас нет в системе. Все равно назначить его порту COM3?")
          .arg(missing);
  EXPECT_EQ(messages.Texts(), QStringList({question, question}));
}

}  // namespace
}  // namespace vrx
