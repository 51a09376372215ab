// The tab "Доп. интерфейс" in the window: "Прочитать" shows what the companion prints, and a
// change of the interface speed runs the handler of the port selectors.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "app/MainForm.h"
#include "cli/VrxCtl.h"
#include "support/DemoRun.h"
#include "support/FakePortLine.h"

namespace vrx {
namespace {

QJsonObject ShownForm(const QWidget& window, const QJsonObject& keys) {
  QJsonObject form;
  for (auto key = keys.begin(); key != keys.end(); ++key) {
    QObject* control = window.findChild<QObject*>(key.key());
    if (auto* list = qobject_cast<QComboBox*>(control))
      form.insert(key.key(), list->currentText());
    else if (auto* box = qobject_cast<QCheckBox*>(control))
      form.insert(key.key(), box->isChecked());
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
      form.insert(key.key(), edit->text());
  }
  return form;
}

TEST(InterfaceTabWindow, ReadShowsWhatTheCompanionPrints) {
  test::DemoRun run(QStringLiteral("VRX-L13-2.2"));
  const auto& instrument = run.instrument;
  RunContext& context = run.context;
  const RecordingMessages& messages = run.messages;
  sim::InterfaceModule::Registers registers = sim::InterfaceModule::DefaultRegisters();
  registers[1] = 42;
  registers[7] = 1;
  const QByteArray name = QByteArray::fromHex("CAEEF2E5EBFCEDE0FF");  // "Котельная"
  std::copy(name.begin(), name.end(), registers.begin() + 8);
  instrument->Module()->SetRegisterBlock(registers);

  QString printed, errors;
  QTextStream out(&printed), err(&errors);
  ASSERT_EQ(RunVrxCtl({"vrxctl", "--port", QString::fromStdString(instrument->SlavePath()), "iface",
                       "read"},
                      out, err),
            0);
  out.flush();
  const QJsonObject expected = QJsonDocument::fromJson(printed.toUtf8()).object();
  ASSERT_EQ(expected.value("ObjIDEdit").toString(), QStringLiteral("Котельная"));

  TMainForm form(context, {});
  QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Button5")), Qt::LeftButton);
  ASSERT_TRUE(messages.All().empty()) << messages.Texts().join('\n').toStdString();
  EXPECT_EQ(ShownForm(form, expected), expected);

  // Another interface speed: the port handler saves the selectors and opens the port again at
  // the link speed; the module is then talked to at the new speed.
  auto* speed = form.findChild<QComboBox*>(QStringLiteral("cbRSSpeed"));
  speed->setCurrentIndex(1);
  emit speed->activated(1);
  EXPECT_EQ(context.connection.modbus.InterfaceBaud(), 9600u);
  EXPECT_EQ(context.connection.port.BaudRate(), 4800u);
  EXPECT_TRUE(QSettings(run.dir.filePath(QStringLiteral("tool.ini")), QSettings::IniFormat)
                  .contains(QStringLiteral("ComNumber")));
}

}  // namespace
}  // namespace vrx
