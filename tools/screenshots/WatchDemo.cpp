// Polls the demo instrument in the window every 2 s with the chart shown, for MINUTES minutes
// (default 10), and prints what the window cost: its resident memory after the first readout and
// at the end, and the processor time it used between readouts as a share of that time.
//   watch_demo [MINUTES] [TYPE]
#include <sys/resource.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include "app/VrxApplication.h"
#include "screenshots/DemoScreenshot.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double ResidentMb() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly))
    return 0;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.value(1).toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

// Adds up the wall and processor time from the end of each readout to the start of the next.
struct Gaps : vrx::ActionObserver {
  void ActionBegins() override {
    if (cpuAtEnd >= 0) {
      idleCpu += CpuSeconds() - cpuAtEnd;
      idleWall += (clock.nsecsElapsed() - wallAtEnd) / 1e9;
    }
  }
  void ActionStep(vrx::LinkStep) override {}
  void ActionEnds(const vrx::ActionOutcome& outcome) override {
    ++readouts;
    failures += outcome.end == vrx::ActionOutcome::End::Failed;
    if (readouts == 1)
      rssStart = ResidentMb();
    cpuAtEnd = CpuSeconds();
    wallAtEnd = clock.nsecsElapsed();
  }

  QElapsedTimer clock;
  double cpuAtEnd = -1;
  qint64 wallAtEnd = 0;
  double idleCpu = 0;
  double idleWall = 0;
  double rssStart = 0;
  int readouts = 0;
  int failures = 0;
};

}  // namespace

int main(int argc, char** argv) {
  vrx::VrxApplication app(argc, argv);
  QTextStream out(stdout);
  const QStringList arguments = QApplication::arguments();
  const double minutes = arguments.value(1, QStringLiteral("10")).toDouble();
  vrx::test::DemoScreenshot demo(arguments.value(2, QStringLiteral("VRX-L13-2.2")), {});
  Gaps gaps;
  gaps.clock.start();
  demo.context.AddObserver(gaps);
  // 2 s is the spin box's least and first value.
  if (!vrx::test::StartPolling(*demo.form))
    return 1;
  QTimer::singleShot(static_cast<int>(minutes * 60 * 1000), &app, &QApplication::quit);
  // How the memory goes meanwhile, a line a minute.
  QTimer everyMinute;
  QObject::connect(&everyMinute, &QTimer::timeout, [&out, &gaps] {
    out << gaps.readouts << " readouts: RSS " << QString::number(ResidentMb(), 'f', 1) << " MB\n";
    out.flush();
  });
  everyMinute.start(60 * 1000);
  app.exec();
  demo.context.RemoveObserver(gaps);
  out << gaps.readouts << " readouts, " << gaps.failures << " failed, in " << minutes << " min\n";
  out << QStringLiteral("RSS start %1 MB, end %2 MB; CPU between readouts %3%\n")
             .arg(gaps.rssStart, 0, 'f', 1)
             .arg(ResidentMb(), 0, 'f', 1)
             .arg(gaps.idleWall > 0 ? 100 * gaps.idleCpu / gaps.idleWall : 0, 0, 'f', 2);
  return gaps.failures == 0 && demo.messages.Texts().isEmpty() ? 0 : 1;
}
