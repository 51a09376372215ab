#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/MainForm.h"
#include "sim/EmulatedInstrument.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

// The adapter is pulled out while "Считать" reads the settings: the error box gives the system's
// reason, the status line says the port is not open, while it is away both say why in Russian,
// and once the adapter is back under the same name the same button reads the instrument again.
TEST(PortLossWindowTest, ALostDeviceIsReportedAndTheNextReadWorksOnceItIsBack) {
  QTemporaryDir dir;
  const QString device = dir.filePath("ttyUSB0");
  auto plugIn = [&] {
    auto emulator = sim::EmulatedInstrument::Start("VRX-L13-2.2");
    QFile::remove(device);
    EXPECT_TRUE(QFile::link(QString::fromStdString(emulator->SlavePath()), device));
    return emulator;
  };
  auto emulator = plugIn();
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  PortNaming naming(PortNaming::SettingLookup{});
  naming.SetOverride(1, device);
  RunContext context(pacer, cursor, messages, naming, {}, dir.filePath("tool.ini"));
  TMainForm window(context, StartupOptions{});
  auto* read = window.findChild<QPushButton*>("bbReadIniParams");
  auto* status = window.findChild<QLabel*>("lbPortStatus");
  auto* number = window.findChild<QLineEdit*>("DevNoEdit");
  ASSERT_NE(read, nullptr);
  ASSERT_NE(number, nullptr);

  emulator->Line().Arm(sim::LineFault::HangUp, 20);
  read->click();
  ASSERT_EQ(messages.Texts().size(), 1);
  EXPECT_TRUE(
      messages.Texts()[0].startsWith(QStringLiteral("Порт COM1 (%1) отключен: ").arg(device)))
      << messages.Texts()[0].toStdString();
  EXPECT_TRUE(status->text().startsWith(QStringLiteral("COM1 → %1 — не открыт: ").arg(device)))
      << status->text().toStdString();
  // The read that failed filled nothing: the number is still the one of a fresh tab.
  EXPECT_EQ(number->text(), QStringLiteral("1"));

  // Still away: the error box and the status line give the same Russian reason.
  messages.Clear();
  emulator.reset();
  read->click();
  const QString reason = QStringLiteral(
      "нет такого устройства. Подключен ли адаптер? Устройство порта выбирается в «Порты…».");
  EXPECT_EQ(messages.Texts(),
            QStringList{QStringLiteral("COM-порт не открыт\n%1: %2").arg(device, reason)});
  EXPECT_EQ(status->text(), QStringLiteral("COM1 → %1 — не открыт: %2").arg(device, reason));

  messages.Clear();
  emulator = plugIn();
  read->click();
  EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join('\n').toStdString();
  EXPECT_EQ(status->text(), QStringLiteral("COM1 → %1").arg(device));
  // The emulated instrument's serial number, 1234, came from the settings read.
  EXPECT_EQ(number->text(), QStringLiteral("1234"));
}

}  // namespace
}  // namespace vrx
