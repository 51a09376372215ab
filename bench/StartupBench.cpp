#include "StartupBench.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "LineFloor.h"
#include "app/FirstPaintProbe.h"

namespace vrx::bench {

namespace {

constexpr double kWindowGoal = 1.5;
constexpr int kStarts = 5;
constexpr int kStartTimeoutMs = 30000;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Starts the program and returns the ms until it has said that its window is painted, or until
// it has ended when it has no window; negative when it failed.
double StartMs(const QString& program, const QStringList& arguments, bool window) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QString::fromLatin1(FirstPaintProbe::kVariable), QStringLiteral("1"));
  process.setProcessEnvironment(environment);
  process.setProcessChannelMode(window ? QProcess::SeparateChannels : QProcess::MergedChannels);
  QElapsedTimer timer;
  timer.start();
  process.start(program, arguments);
  double ms = -1;
  if (window) {
    process.setReadChannel(QProcess::StandardError);
    QByteArray said;
    while (!said.contains(FirstPaintProbe::kLine) && process.waitForReadyRead(kStartTimeoutMs))
      said += process.readAllStandardError();
    if (said.contains(FirstPaintProbe::kLine))
      ms = timer.nsecsElapsed() / 1e6;
    process.waitForFinished(kStartTimeoutMs);
  } else if (process.waitForFinished(kStartTimeoutMs) && process.exitCode() == 0) {
    ms = timer.nsecsElapsed() / 1e6;
  }
  if (ms < 0) {
    process.kill();
    process.waitForFinished();
    std::printf("%s did not start: %s\n", qPrintable(program), process.readAll().constData());
  }
  return ms;
}

struct Comparison {
  double toolMs;
  double minimalMs;
};

// Starts the tool and the minimal program in turn, so that the machine's load falls on both.
Comparison Compare(const QString& tool, const QStringList& arguments, const QString& minimal,
                   bool window) {
  std::vector<double> toolTimes;
  std::vector<double> minimalTimes;
  StartMs(tool, arguments, window);  // the first start reads the libraries from the disk
  for (int i = 0; i < kStarts; ++i) {
    toolTimes.push_back(StartMs(tool, arguments, window));
    minimalTimes.push_back(StartMs(minimal, {}, window));
  }
  if (*std::min_element(toolTimes.begin(), toolTimes.end()) < 0 ||
      *std::min_element(minimalTimes.begin(), minimalTimes.end()) < 0)
    return {-1, -1};
  return {Median(toolTimes), Median(minimalTimes)};
}

}  // namespace

int RunStartup(const QStringList& programs) {
  if (programs.size() != 4) {
    std::printf("usage: vrx-bench --startup VRX-SERVICE VRXCTL MINIMAL-WINDOW MINIMAL-CLI\n");
    return 2;
  }
  const Comparison window = Compare(programs[0], {QStringLiteral("--demo")}, programs[2], true);
  if (window.toolMs < 0)
    return 1;
  const double windowRatio = window.toolMs / window.minimalMs;
  std::printf(
      "window to its first paint: vrx-service --demo %.1f ms, minimal Qt window %.1f ms, "
      "ratio %.2f (goal %.1f %s)\n",
      window.toolMs, window.minimalMs, windowRatio, kWindowGoal,
      windowRatio <= kWindowGoal ? "met" : "missed");

  // The companion's identification itself takes its floor on the line, which the minimal
  // program does not spend.
  QTemporaryDir dir;
  const QStringList identify{QStringLiteral("--demo"), QStringLiteral("VRX-L13-2.2"),
                             QStringLiteral("--journal"), dir.filePath(QStringLiteral("j.sqlite")),
                             QStringLiteral("identify")};
  const QString trace = dir.filePath(QStringLiteral("trace.log"));
  StartMs(programs[1], QStringList{QStringLiteral("--trace-file"), trace} + identify, false);
  const double floorMs = FloorOfTrace(trace).Ms();
  const Comparison cli = Compare(programs[1], identify, programs[3], false);
  if (cli.toolMs < 0)
    return 1;
  std::printf(
      "companion to its exit: vrxctl --demo identify %.1f ms (the identification's floor "
      "%.1f ms), minimal Qt program %.1f ms, ratio %.2f, without the floor %.2f\n",
      cli.toolMs, floorMs, cli.minimalMs, cli.toolMs / cli.minimalMs,
      (cli.toolMs - floorMs) / cli.minimalMs);
  return 0;
}

}  // namespace vrx::bench
