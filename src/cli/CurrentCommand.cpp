#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <limits>

#include "cli/CliCommand.h"
#include "cli/ConsoleMessages.h"
#include "cli/DocumentOptions.h"
#include "current/CurrentCsv.h"
#include "current/CurrentGrid.h"
#include "current/CurrentJson.h"
#include "current/CurrentParams.h"
#include "model/Errors.h"

namespace vrx {

namespace {

const uint32_t kInterfaceSpeeds[] = {4800, 9600, 19200, 38400};
constexpr int kPollMs = 100;
// The longest period of --every, a day, and the most rows of --count.
constexpr int64_t kMaxPeriodSeconds = 24 * 60 * 60;
constexpr int64_t kMaxCount = std::numeric_limits<int>::max();

std::atomic<bool> g_interrupted{false};

void OnInterrupt(int) {
  g_interrupted = true;
}

CurrentPath PathOption(CliRun& run) {
  const QString path = run.IsSet("path") ? run.Value("path") : QStringLiteral("cable");
  if (path == QLatin1String("cable"))
    return CurrentPath::Cable;
  if (path == QLatin1String("opx"))
    return CurrentPath::Opx;
  if (path == QLatin1String("rs"))
    return CurrentPath::Interface;
  throw UsageError(QStringLiteral("--path expects cable, opx or rs"));
}

// Multi-line cells print their lines side by side in the table.
QString OneLine(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("; "));
  return text.endsWith(QStringLiteral("; ")) ? text.chopped(2) : text;
}

void PrintTable(const CurrentDisplay& d, QTextStream& out) {
  for (const auto& [caption, name] : CaptionedTexts())
    out << caption << ' ' << OneLine(ShownText(d, name)) << '\n';
  if (d.valuePanelVisible && d.coldWaterVisible) {
    out << "Холодная вода: t, °C: " << ShownText(d, QStringLiteral("stTCW"))
        << "  P, кгс/см2: " << ShownText(d, QStringLiteral("stPCW")) << '\n';
  }
  QList<QStringList> lines = ShownGrid(d);
  for (QStringList& line : lines) {
    for (QString& cell : line)
      cell = OneLine(cell);
  }
  QList<qsizetype> widths(lines.front().size(), 0);
  for (const QStringList& line : lines) {
    for (qsizetype i = 0; i < line.size(); ++i)
      widths[i] = std::max(widths[i], line[i].size());
  }
  for (const QStringList& line : lines) {
    for (qsizetype i = 0; i < line.size(); ++i)
      out << line[i].leftJustified(widths[i] + 2);
    out << '\n';
  }
}

// Opens the log for appending; a file that is not a log of this command is refused.
void OpenLog(CurrentCsvLog& log, const QString& path) {
  QString reason;
  switch (log.Open(path, &reason)) {
    case CurrentCsvLog::Refusal::None:
      return;
    case CurrentCsvLog::Refusal::Unreadable:
      throw UsageError(QStringLiteral("cannot read %1: %2").arg(path, reason));
    case CurrentCsvLog::Refusal::NotALog:
      throw UsageError(QStringLiteral("%1 is not a log of `vrxctl current`: its first line is not "
                                      "the header; nothing written")
                           .arg(path));
    case CurrentCsvLog::Refusal::Unwritable:
      throw UsageError(QStringLiteral("cannot write %1: %2").arg(path, reason));
  }
}

// Repeats the readout every `seconds`, measured from the start of one readout to the start of
// the next, and appends a row per readout until `count` rows are written or Ctrl-C. A failed
// readout writes its error and the logging goes on; a readout longer than the period starts the
// next at once and says so in its row's error column.
int LogReadouts(CliRun& run, CurrentParams& tab, const QString& path, int64_t seconds, int count) {
  CurrentCsvLog log;
  OpenLog(log, path);
  g_interrupted = false;
  struct SignalHandler {
    void (*previous)(int) = std::signal(SIGINT, OnInterrupt);
    ~SignalHandler() { std::signal(SIGINT, previous); }
  } handler;
  const int64_t periodMs = seconds * 1000;
  QElapsedTimer clock;
  clock.start();
  int64_t nextStart = 0;
  for (int done = 0; (count <= 0 || done < count) && !g_interrupted; ++done) {
    for (int64_t left = nextStart - clock.elapsed(); left > 0 && !g_interrupted;
         left = nextStart - clock.elapsed())
      QThread::msleep(static_cast<unsigned long>(std::min<int64_t>(left, kPollMs)));
    if (g_interrupted)
      break;
    const int64_t started = clock.elapsed();
    const QDateTime time = QDateTime::currentDateTime();
    QString error;
    bool read = false;
    try {
      tab.bnReadCurParamsClick();
      read = true;
    } catch (const EOwned& failure) {
      error = failure.message();
      run.err << error << '\n';
      run.err.flush();
    }
    tab.Timer2Timer();
    // The trace shows the readout now, not when the next one begins.
    run.Connect().port.EndExchange();
    const int64_t took = clock.elapsed() - started;
    if (periodMs > 0 && took > periodMs && done + 1 != count) {
      const QString overrun =
          QStringLiteral("Считывание заняло %1 мс, дольше периода %2 с: следующее начато сразу")
              .arg(took)
              .arg(seconds);
      error = error.isEmpty() ? overrun : error + QStringLiteral("; ") + overrun;
    }
    log.Append(time, error, read ? &tab.Display() : nullptr);
    nextStart = started + periodMs;
  }
  return kExitDone;
}

int64_t NumberOption(CliRun& run, const char* option, int64_t min, int64_t max) {
  bool ok = false;
  const qlonglong value = run.Value(option).toLongLong(&ok);
  if (!ok || value < min || value > max)
    throw UsageError(QStringLiteral("--%1 expects a whole number from %2 to %3")
                         .arg(QString::fromLatin1(option))
                         .arg(min)
                         .arg(max));
  return value;
}

int Current(CliRun& run) {
  const CurrentPath path = PathOption(run);
  uint32_t rsBaud = 0;
  if (run.IsSet("rs-baud")) {
    rsBaud = run.Value("rs-baud").toUInt();
    if (std::find(std::begin(kInterfaceSpeeds), std::end(kInterfaceSpeeds), rsBaud) ==
        std::end(kInterfaceSpeeds))
      throw UsageError(QStringLiteral("--rs-baud expects 4800, 9600, 19200 or 38400"));
  }
  const bool logging = run.IsSet("every");
  if (logging != run.IsSet("csv"))
    throw UsageError(QStringLiteral("--every and --csv go together"));
  if (logging && run.IsSet("pdf"))
    throw UsageError(QStringLiteral("--pdf takes one readout, not --every"));
  if (run.IsSet("count") && !logging)
    throw UsageError(QStringLiteral("--count applies to --every only"));
  const int64_t seconds = logging ? NumberOption(run, "every", 0, kMaxPeriodSeconds) : 0;
  const int count =
      run.IsSet("count") ? static_cast<int>(NumberOption(run, "count", 1, kMaxCount)) : 0;

  Connection& connection = run.Connect();
  if (rsBaud != 0)
    connection.modbus.SetInterfaceBaud(rsBaud);
  // The adapter's notice goes to stderr, so that stdout holds the values alone.
  ConsoleMessages messages(run.err, run.err, false);
  CurrentParams tab(connection, messages);
  tab.path = path;
  if (logging)
    return LogReadouts(run, tab, run.Value("csv"), seconds, count);
  tab.bnReadCurParamsClick();
  if (run.IsSet("pdf")) {
    CurrentPdfOption(run, tab);
    return kExitDone;
  }
  if (run.IsSet("json"))
    run.out << QString::fromUtf8(
        QJsonDocument(ToJson(tab.Display())).toJson(QJsonDocument::Indented));
  else
    PrintTable(tab.Display(), run.out);
  return kExitDone;
}

}  // namespace

CliCommand CurrentCommand() {
  return {QStringLiteral("current"),
          QStringLiteral("current [--path cable|opx|rs] [--rs-baud N] [--json] "
                         "[--pdf FILE] [--every SECONDS [--count N] --csv FILE]"),
          QStringLiteral(
              "Reads the clock and the current values as \"Считать\" on the tab \"Текущие "
              "параметры\" does,\nover the cable (default), the OPX adapter or the interface "
              "module (at --rs-baud, default 38400),\nand prints them as a table.\n"
              "--json prints the tab as one object keyed by form name: each text as shown, null "
              "when hidden.\n--pdf FILE writes the report of the readout (A4, PDF) to FILE "
              "instead.\n--every SECONDS --csv FILE repeats the readout and appends a row "
              "per readout to FILE\n(time, error, then every text of the tab); --count N stops "
              "after N rows, Ctrl-C ends it.\nSECONDS (0 to 86400) is the period from the start "
              "of one readout to the start of the next;\na readout that takes longer starts the "
              "next at once and says so in the error column.\n"),
          {QCommandLineOption(QStringLiteral("path"), QString(), QStringLiteral("PATH")),
           QCommandLineOption(QStringLiteral("rs-baud"), QString(), QStringLiteral("N")),
           QCommandLineOption(QStringLiteral("json")),
           QCommandLineOption(QStringLiteral("pdf"), QString(), QStringLiteral("FILE")),
           QCommandLineOption(QStringLiteral("every"), QString(), QStringLiteral("SECONDS")),
           QCommandLineOption(QStringLiteral("count"), QString(), QStringLiteral("N")),
           QCommandLineOption(QStringLiteral("csv"), QString(), QStringLiteral("FILE"))},
          Current};
}

}  // namespace vrx
