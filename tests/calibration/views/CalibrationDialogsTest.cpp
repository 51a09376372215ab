#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "calibration/AdcSamples.h"
#include "calibration/views/CalibrationDialogBench.h"
#include "calibration/views/TFormCalibrTempr.h"
#include "calibration/views/TformCalibrPressure.h"
#include "calibration/views/UpDown.h"
#include "support/ChosenFile.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

template <typename T>
T* Find(QWidget& form, const char* name) {
  T* widget = form.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

QString Text(QWidget& form, const char* name) {
  return Find<QLabel>(form, name)->text();
}

TEST(CalibrationDialogsTest, TemperatureRunMirrorsCoreAndColoursDeviationAboveThreshold) {
  test::CalibrationDialogBench bench("VRX-L13-2.2");
  bench.Device().WithCalibration([](auto& channels) { channels.SetRefOhms(1, 100.5); });
  TFormCalibrTempr form(bench.context);
  form.show();
  EXPECT_EQ(form.windowTitle(), "Калибровка каналов измерения температуры");
  EXPECT_EQ(Text(form, "plVRXType"), "VRX-L13-2.2");
  EXPECT_EQ(Text(form, "plTspType"), "W = 1,391");
  EXPECT_EQ(Text(form, "lbDeltaR"), "Погрешность R = 0,097 Ом");
  auto* channel = Find<QLineEdit>(form, "edChannel");
  EXPECT_EQ(channel->text(), "(all)");
  auto* count = Find<QLineEdit>(form, "edCount");
  QTest::keyClicks(count, "a2-");
  EXPECT_EQ(count->text(), "12");
  count->setText("2");
  Find<UpDown>(form, "udChannel")->Step(1);
  EXPECT_EQ(channel->text(), "1");

  auto* check = Find<QPushButton>(form, "btnAdcCheck");
  check->click();
  EXPECT_EQ(check->text(), "Стоп");
  EXPECT_FALSE(channel->isEnabled());
  EXPECT_TRUE(Find<QPushButton>(form, "bnPause")->isEnabled());
  EXPECT_EQ(form.Samples().rowCount(), 1);
  const QModelIndex delta = form.Samples().index(0, 6);
  EXPECT_EQ(delta.data(AdcSamples::kAlarmRole), true);

  auto* pause = Find<QPushButton>(form, "bnPause");
  pause->click();
  EXPECT_EQ(pause->text(), "Продолжить");
  pause->click();
  form.Run().Tick();
  EXPECT_EQ(form.Samples().rowCount(), 2);
  EXPECT_EQ(check->text(), "Проверка АЦП");
  EXPECT_TRUE(channel->isEnabled());

  // R set to the box's value: the earlier rows are within the threshold now.
  Find<QLineEdit>(form, "edR")->setText("100,5");
  EXPECT_EQ(delta.data(AdcSamples::kAlarmRole), false);

  // The protocol is saved where the window's file dialogs say.
  test::ChosenFile files;
  files.path = bench.dir.filePath("protocol.csv");
  bench.context.fileDialogs = &files;
  Find<QPushButton>(form, "bnSaveProtocol")->click();
  EXPECT_EQ(files.asked, QStringList{"save Сохранить протокол Protocols CSV (*.csv) csv"});
  EXPECT_GT(QFileInfo(files.path).size(), 0);
  EXPECT_TRUE(bench.messages.Texts().isEmpty());
}

TEST(CalibrationDialogsTest, PressureControlsFollowTheInstrument) {
  struct Case {
    const char* type;
    const char* input;
    bool pmax;
  };
  for (const Case& c :
       {Case{"VRX-L13-2.2", "4..20мА", true}, Case{"VRX-L2-2.1", "0..5мА", false}}) {
    test::CalibrationDialogBench bench(c.type);
    TformCalibrPressure form(bench.context);
    form.show();
    EXPECT_EQ(Text(form, "plOutType"), c.input);
    EXPECT_EQ(Find<QComboBox>(form, "cbPmax")->isEnabled(), c.pmax);
    EXPECT_EQ(Find<QLineEdit>(form, "MaskEdit1")->text(), "5,000");
    EXPECT_EQ(Find<QLineEdit>(form, "MaskEdit2")->text(), "930,00");
    Find<QPushButton>(form, "bnCalibr")->click();
    EXPECT_EQ(bench.messages.Texts(),
              QStringList{"Не выбран канал для установки калибровочного коэффициента."});
  }
}

}  // namespace
}  // namespace vrx
