// Draws both calibration dialogs during a check run against an emulated instrument and saves
// them: the temperature dialog with a deviation above its threshold (a coloured cell), the
// pressure dialog with every channel sampled.
//   calibration_screenshots OUTPUT_DIR
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTextStream>

#include "calibration/views/CalibrationDialogBench.h"
#include "calibration/views/TFormCalibrTempr.h"
#include "calibration/views/TformCalibrPressure.h"
#include "calibration/views/UpDown.h"
#include "screenshots/ScreenshotFile.h"

namespace {

bool Save(vrx::CalibrationDialog& form, const QString& path, QTextStream& err) {
  form.resize(form.minimumSize());
  if (!QTest::qWaitForWindowExposed(&form) || !form.grab().save(path)) {
    err << "cannot draw " << path << '\n';
    return false;
  }
  err << path << '\n';
  return true;
}

// Takes three samples of channel 1 while the dialog is on screen.
void RunThree(vrx::CalibrationDialog& form) {
  form.findChild<QLineEdit*>(QStringLiteral("edCount"))->setText(QStringLiteral("3"));
  form.findChild<vrx::UpDown*>(QStringLiteral("udChannel"))->SetPosition(1);
  form.findChild<QPushButton*>(QStringLiteral("btnAdcCheck"))->click();
  form.Run().Tick();
  QTest::qWait(100);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTextStream err(stderr);
  const QStringList arguments =
      vrx::test::ScreenshotArguments(err, "calibration_screenshots OUTPUT_DIR");
  if (arguments.isEmpty())
    return 2;
  const QDir out(arguments[1]);
  QDir().mkpath(out.path());

  vrx::test::CalibrationDialogBench temperature("VRX-L13-2.2");
  temperature.Device().WithCalibration([](auto& channels) { channels.SetRefOhms(1, 100.3); });
  vrx::TFormCalibrTempr tempr(temperature.context);
  tempr.show();
  RunThree(tempr);
  if (!Save(tempr, out.filePath("calibration-temperature.png"), err))
    return 1;

  vrx::test::CalibrationDialogBench pressure("VRX-L13-2.2");
  pressure.Device().WithCalibration([](auto& channels) { channels.SetLoopMa(1, 12.0); });
  vrx::TformCalibrPressure form(pressure.context);
  form.show();
  form.Core().CalibrateByR(1, 0, QStringLiteral("5,000"), QStringLiteral("930,00"));
  RunThree(form);
  if (!Save(form, out.filePath("calibration-pressure.png"), err))
    return 1;
  return 0;
}
