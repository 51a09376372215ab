// Draws the tab "Текущие параметры" with its trend chart after 50 readouts of the polling, and
// saves the picture: a look at the chart on a real display. The demo instrument's clock and the
// polling's run 40 times faster than the PC's, so the 50 readouts span some ten minutes of the
// instrument's life; the 30th readout fails (a wrong checksum) and is marked on the time axis.
//   chart_screenshot OUTPUT.png [TYPE]
#include <QElapsedTimer>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include "app/VrxApplication.h"
#include "current/views/CurrentTab.h"
#include "screenshots/DemoScreenshot.h"
#include "screenshots/ScreenshotFile.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"

namespace {

constexpr int kReadouts = 50;
constexpr int kFailedReadout = 30;
constexpr int kSpeed = 40;

}  // namespace

int main(int argc, char** argv) {
  vrx::VrxApplication app(argc, argv);
  QTextStream err(stderr);
  const QStringList arguments =
      vrx::test::ScreenshotArguments(err, "chart_screenshot OUTPUT.png [TYPE]");
  if (arguments.isEmpty())
    return 2;
  const std::string type = arguments.value(2, QStringLiteral("VRX-L13-2.2")).toStdString();

  const QDateTime start = QDateTime::currentDateTime();
  QElapsedTimer elapsed;
  elapsed.start();
  const auto fast = [start, elapsed] { return start.addMSecs(elapsed.elapsed() * kSpeed); };
  vrx::sim::HeatCalculatorConfig config;
  config.typeIndex = vrx::sim::HeatCalculator::TypeIndexByName(type);
  config.clock = fast;
  vrx::test::DemoScreenshot demo(std::make_unique<vrx::sim::EmulatedInstrument>(
                                     std::make_unique<vrx::sim::HeatCalculator>(config)),
                                 {});
  vrx::TMainForm& form = *demo.form;
  form.findChild<vrx::CurrentTab*>(QStringLiteral("CurrentTab"))->Polling().now = fast;
  if (!vrx::test::StartPolling(form))
    return 1;
  auto* poll = form.findChild<QTimer*>(QStringLiteral("tmPoll"));
  for (int done = 0; done < kReadouts; ++done) {
    if (done + 1 == kFailedReadout)
      demo.instrument->Device().Arm(vrx::sim::Fault::WrongChecksum, 8);
    // The tick the timer would give 2 s later, now.
    QMetaObject::invokeMethod(poll, "timeout");
    QApplication::processEvents();
  }
  QTest::qWait(200);
  if (!demo.messages.Texts().isEmpty()) {
    err << "polling failed: " << demo.messages.Texts().join('\n') << '\n';
    return 1;
  }
  if (!vrx::test::SaveScreenshot(form, arguments[1], err))
    return 1;
  err << "window " << form.width() << 'x' << form.height() << " after " << kReadouts
      << " readouts saved to " << arguments[1] << '\n';
  return 0;
}
