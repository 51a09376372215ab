// The tab "Сервис" in the window and its dialogs over the demo instrument: every control under
// its form name, and the dialogs mirroring their cores through reading and writing.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/DemoInstrument.h"
#include "app/MainForm.h"
#include "sim/HeatCalculator.h"
#include "support/FakePortLine.h"
#include "support/QtPrinters.h"
#include "support/ScriptedConfirmation.h"
#include "support/WidgetTestHelpers.h"

namespace vrx {
namespace {

struct ServiceWindow {
  QTemporaryDir dir;
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  test::ScriptedConfirmation confirmation;
  RunContext context{
      pacer, cursor, messages, test::PlainNaming(), {}, dir.filePath(QStringLiteral("tool.ini"))};
  std::unique_ptr<sim::EmulatedInstrument> instrument;
  std::unique_ptr<TMainForm> form;

  explicit ServiceWindow(const char* type) {
    context.timeConfirmation = &confirmation;
    instrument = StartDemoInstrument(context, type);
    StartupOptions options;
    options.service = true;
    form = std::make_unique<TMainForm>(context, options);
  }
  template <typename T>
  T* Find(const char* name) const {
    T* control = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // Opens a dialog with its button and runs `inside` while it is shown, then closes it.
  void InDialog(const char* button, const std::function<void(QWidget*)>& inside) {
    auto seen = test::OnNextModal([inside](QWidget* dialog) {
      inside(dialog);
      dialog->findChild<QPushButton*>("bnClose")->click();
    });
    Find<QPushButton>(button)->click();
    EXPECT_TRUE(*seen) << button;
  }
};

template <typename T>
T* In(QWidget* dialog, const char* name) {
  T* control = dialog->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

TEST(ServiceTabWindow, ControlsAndTheSupplyCheck) {
  ServiceWindow window("VRX-L2-2.2");
  const std::pair<const char*, const char*> buttons[] = {
      {"bnRTCCorrection", "Автокоррекция RTC"},
      {"bnTicksCorrection", "Коррекция цены импульса"},
      {"bnSetCounters", "Установка счетчиков"},
      {"bnCalibrTemperature", "Калибровка каналов измерения температуры"},
      {"bnInitExit", "Выход из режима инициализации"},
      {"bnCalibrPressure", "Калибровка каналов измерения давления"},
      {"bnLoBatt", "Проверить"},
      {"bnLoBattLimit", "Настройка порога срабатывания LB"}};
  for (const auto& [name, caption] : buttons)
    EXPECT_EQ(window.Find<QPushButton>(name)->text(), QString::fromUtf8(caption));
  EXPECT_TRUE(window.Find<QPushButton>("bnCalibrTemperature")->isEnabled());
  EXPECT_EQ(window.Find<QGroupBox>("gbSupply")->title(), " Проверка питания ");

  auto* timer = window.Find<QTimer>("Timer1");
  window.Find<QPushButton>("bnLoBatt")->click();
  EXPECT_EQ(window.Find<QLabel>("stLB")->text(), "Норма");
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 4000);

  window.Find<QPushButton>("bnInitExit")->click();
  EXPECT_EQ(window.messages.Texts(), QStringList{"Только для VRX-L1"});
}

TEST(ServiceTabWindow, CalibrationButtonsOpenTheirDialogs) {
  ServiceWindow window("VRX-L13-2.2");
  for (const auto& [button, dialogName] : {std::pair{"bnCalibrTemperature", "TFormCalibrTempr"},
                                           std::pair{"bnCalibrPressure", "TformCalibrPressure"}}) {
    window.InDialog(button, [dialogName](QWidget* dialog) {
      EXPECT_EQ(dialog->objectName(), dialogName);
      EXPECT_EQ(In<QLabel>(dialog, "plVRXType")->text(), "VRX-L13-2.2");
    });
  }
  EXPECT_TRUE(window.messages.Texts().isEmpty());
}

TEST(ServiceTabWindow, DialogsReadAndWriteTheDemoInstrument) {
  ServiceWindow window("VRX-L1-2.1");
  auto& device = static_cast<sim::HeatCalculator&>(window.instrument->Device());

  window.InDialog("bnRTCCorrection", [](QWidget* dialog) {
    EXPECT_EQ(In<QLabel>(dialog, "stDeviceType")->text(), "VRX-L1");
    EXPECT_EQ(In<QLabel>(dialog, "Label2")->text(), "-9");
    In<QPushButton>(dialog, "bnRead")->click();
    EXPECT_EQ(In<QLabel>(dialog, "l1")->text(), "5 сек/сутки");
    In<QSlider>(dialog, "TrackBar1")->setValue(-9);
    EXPECT_EQ(In<QLabel>(dialog, "l1")->text(), "-9 сек/сутки");
    In<QPushButton>(dialog, "bnWrite")->click();
  });
  EXPECT_EQ(device.Image().at(90), 0x19);

  window.InDialog("bnTicksCorrection", [](QWidget* dialog) {
    EXPECT_EQ(In<QLabel>(dialog, "plDeviceType")->text(), "VRX-L1-2.1");
    In<QSlider>(dialog, "TrackBar2")->setValue(-15);
    EXPECT_EQ(In<QLabel>(dialog, "l2")->text(), "-1,5%");
    In<QPushButton>(dialog, "bnWrite")->click();
  });
  EXPECT_EQ(device.Image().at(1), 0x1F);

  window.InDialog("bnSetCounters", [](QWidget* dialog) {
    In<QPushButton>(dialog, "bnRead")->click();
    EXPECT_EQ(In<QLineEdit>(dialog, "metp3")->text(), "----");
    EXPECT_FALSE(In<QLineEdit>(dialog, "metp3")->isEnabled());
    EXPECT_FALSE(In<QLineEdit>(dialog, "metp5")->isVisibleTo(dialog));
    auto* tp1 = In<QLineEdit>(dialog, "metp1");
    EXPECT_EQ(tp1->displayText(), "00000:00");
    tp1->setText("00012:75");
    In<QPushButton>(dialog, "bnWrite")->click();
    EXPECT_EQ(dialog->focusWidget(), tp1);
    tp1->setText("00012:59");
    In<QPushButton>(dialog, "bnWrite")->click();
  });
  EXPECT_EQ(window.messages.Texts(),
            QStringList({"Автокоррекция RTC установлена.", "Коррекции цен импульса установлены.",
                         "Введите значение минут в диапазоне 0-59 в поле \"tp1\"",
                         "Счетчики установлены"}));
  const std::vector<uint8_t> image = device.Image();
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 25, image.begin() + 29),
            (std::vector<uint8_t>{0x59, 0x12, 0x00, 0x00}));
}

}  // namespace
}  // namespace vrx
