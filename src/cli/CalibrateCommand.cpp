#include <QDateTime>
#include <QLocale>

#include "calibration/AdcSamples.h"
#include "calibration/CalibrationProtocol.h"
#include "calibration/CheckRun.h"
#include "calibration/PressureCalibration.h"
#include "calibration/TemperatureCalibration.h"
#include "cli/CliCommand.h"
#include "cli/ConsoleMessages.h"
#include "model/Errors.h"

namespace vrx {

namespace {

// The dialogs' questions, answered on the terminal ("да"/"y") unless --yes answered them all.
class TerminalMessages : public ConsoleMessages {
 public:
  TerminalMessages(CliRun& run, bool yes)
      : ConsoleMessages(run.out, run.err, true), run_(run), yes_(yes) {}

  int CustomDialog(DialogKind kind, const QString& text, const QString& caption,
                   const std::optional<DialogFont>& font, uint32_t colour, bool addCancel,
                   int defaultIndex, const QStringList& buttons) override {
    if (kind != DialogKind::Confirmation || yes_) {
      return ConsoleMessages::CustomDialog(kind, text, caption, font, colour, addCancel,
                                           defaultIndex, buttons);
    }
    run_.out << text << QStringLiteral(" [да/нет] ");
    run_.out.flush();
    const QString answer = run_.in.readLine().trimmed().toLower();
    return answer.startsWith(QStringLiteral("д")) || answer.startsWith('y') ? 1 : 2;
  }

 private:
  CliRun& run_;
  bool yes_;
};

int WholeNumber(CliRun& run, const char* option, int fallback, int low, int high) {
  if (!run.IsSet(option)) {
    return fallback;
  }
  bool ok = false;
  const int value = run.Value(option).toInt(&ok);
  if (!ok || value < low || value > high) {
    throw UsageError(QStringLiteral("--%1 takes a number from %2 to %3")
                         .arg(QString::fromLatin1(option))
                         .arg(low)
                         .arg(high));
  }
  return value;
}

// --channel N, or "all" (0) where a run of every channel is meant.
int Channel(CliRun& run, bool allowAll) {
  if (allowAll && run.Value("channel") == QLatin1String("all")) {
    return 0;
  }
  if (!run.IsSet("channel")) {
    if (allowAll) {
      return 0;
    }
    throw UsageError(QStringLiteral("this command needs --channel N"));
  }
  return WholeNumber(run, "channel", 0, 0, 5);
}

void CheckChannelExists(int channel, int count) {
  if (channel > count) {
    throw UsageError(QStringLiteral("channel %1: the instrument has %2").arg(channel).arg(count));
  }
}

// The item of the Pmax list for --pmax 16, 10 or 6.
int PmaxIndex(CliRun& run) {
  if (!run.IsSet("pmax")) {
    return 0;
  }
  const QString value = run.Value("pmax");
  for (int i = 0; i < 3; ++i) {
    if (value == QString::number(PressureCalibration::kPmax[static_cast<size_t>(i)])) {
      return i;
    }
  }
  throw UsageError(QStringLiteral("--pmax takes 16, 10 or 6"));
}

// A check run as the dialog's, printed row by row as the grid shows it; with --csv the rows
// also go to a protocol file.
int Check(CliRun& run, Pacer& pacer, AdcSamples& samples, int channelCount,
          const std::function<int(int)>& sampler, const ProtocolHeader& header) {
  const int channel = Channel(run, true);
  CheckChannelExists(channel, channelCount);
  const int count = WholeNumber(run, "count", 1, 1, 1000000);
  const int interval = WholeNumber(run, "interval", 1, 1, 10);
  run.out << samples.Titles().join('\t') << '\n';
  SteppedTimer timer;
  CheckRun check(timer, pacer);
  QString lastStatus;
  check.changed = [&] {
    if (check.Status() != lastStatus && check.Status() == QStringLiteral("Нет ответа от прибора")) {
      run.err << check.Status() << '\n';
      run.err.flush();
    }
    lastStatus = check.Status();
  };
  const auto printing = [&](int ch) {
    const int records = sampler(ch);
    run.out << samples.RowTexts(records - 1).join('\t') << '\n';
    run.out.flush();
    return records;
  };
  check.Start({channel, count, interval, channelCount}, printing);
  while (check.state() == CheckRun::State::Running) {
    pacer.Wait(timer.interval);
    check.Tick();
  }
  if (run.IsSet("csv")) {
    WriteProtocol(run.Value("csv"), header, samples);
  }
  return kExitDone;
}

int Temperature(CliRun& run, const QString& action) {
  if (action != QLatin1String("adc") && action != QLatin1String("check")) {
    throw UsageError(QStringLiteral("calibrate temp takes adc or check"));
  }
  double reference = 0.0;
  if (run.IsSet("r")) {
    bool ok = false;
    reference = QLocale::c().toDouble(run.Value("r").replace(',', '.'), &ok);
    if (!ok) {
      throw UsageError(QStringLiteral("--r takes a resistance in ohms"));
    }
  }
  Connection& connection = run.Connect();
  TerminalMessages messages(run, run.IsSet("yes"));
  TemperatureCalibration calibration(connection, messages);
  if (action == QLatin1String("adc")) {
    if (!calibration.Calibrate()) {
      throw EAbort();
    }
    return kExitDone;
  }
  const TemperaturePanel& panel = calibration.Refresh();
  const uint16_t k = calibration.ReadCoefficient();
  AdcSamples samples(AdcSamples::Kind::Temperature);
  samples.SetThreshold(panel.threshold);
  samples.SetReference(reference);
  return Check(
      run, connection.pacer, samples, panel.channelCount,
      [&](int ch) { return calibration.Sample(ch, k, samples); }, calibration.Header(reference, k));
}

int Pressure(CliRun& run, const QString& action) {
  static const QStringList kActions{"by-r", "by-i", "set-pmax", "get-pmax", "check"};
  if (!kActions.contains(action)) {
    throw UsageError(QStringLiteral("calibrate pressure takes ") + kActions.join(", "));
  }
  const int pmax = PmaxIndex(run);
  if (action == QLatin1String("by-r") && (!run.IsSet("uref") || !run.IsSet("rl"))) {
    throw UsageError(QStringLiteral("calibrate pressure by-r needs --uref U and --rl R"));
  }
  if (action == QLatin1String("set-pmax") && !run.IsSet("pmax")) {
    throw UsageError(QStringLiteral("calibrate pressure set-pmax needs --pmax P"));
  }
  const int channel = Channel(run, action == QLatin1String("check"));
  Connection& connection = run.Connect();
  TerminalMessages messages(run, true);
  PressureCalibration calibration(connection, messages);
  const PressurePanel& panel = calibration.Refresh();
  CheckChannelExists(channel, panel.channelCount);
  AdcSamples samples(AdcSamples::Kind::Pressure);
  const auto sampler = [&](int ch) { return calibration.Sample(ch, samples); };

  if (action == QLatin1String("by-r")) {
    calibration.CalibrateByR(channel, pmax, run.Value("uref"), run.Value("rl"));
  } else if (action == QLatin1String("by-i")) {
    calibration.PrepareCheck();
    if (channel > 0) {
      sampler(channel);
    }
    calibration.CalibrateByI(channel, pmax, samples.Rows());
  } else if (action == QLatin1String("set-pmax")) {
    calibration.SetPmax(channel, pmax);
  } else if (action == QLatin1String("get-pmax")) {
    run.out << PressureCalibration::kPmax[static_cast<size_t>(calibration.GetPmax(channel))]
            << '\n';
  } else {
    calibration.PrepareCheck();
    return Check(
        run, connection.pacer, samples, panel.channelCount, sampler,
        calibration.Header(run.Value("uref"), run.Value("rl"),
                           QString::number(PressureCalibration::kPmax[static_cast<size_t>(pmax)])));
  }
  return kExitDone;
}

int Calibrate(CliRun& run) {
  const QStringList& words = run.Words();
  if (words.size() != 2) {
    throw UsageError(QStringLiteral("calibrate takes temp adc|check or pressure ACTION"));
  }
  if (words[0] == QLatin1String("temp")) {
    return Temperature(run, words[1]);
  }
  if (words[0] == QLatin1String("pressure")) {
    return Pressure(run, words[1]);
  }
  throw UsageError(QStringLiteral("calibrate takes temp or pressure"));
}

}  // namespace

CliCommand CalibrateCommand() {
  return {
      QStringLiteral("calibrate"),
      QStringLiteral("calibrate temp adc|check ..., calibrate pressure by-r|by-i|set-pmax|get-pmax|"
                     "check ..."),
      QStringLiteral(
          "Calibrates the temperature and pressure channels as the two calibration dialogs do.\n"
          "  temp adc [--yes]                 ADC calibration (the questions are asked here "
          "unless --yes)\n"
          "  temp check [--channel N|all] [--count C] [--interval S] [--r OHMS] [--csv FILE]\n"
          "                                   samples of one channel or of all, as rows of the "
          "grid\n"
          "  pressure by-r --channel I --uref U --rl R [--pmax 16|10|6]\n"
          "  pressure by-i --channel I [--pmax P]   samples channel I, then calibrates from it\n"
          "  pressure set-pmax --channel I --pmax P\n"
          "  pressure get-pmax --channel I    prints the channel's Pmax\n"
          "  pressure check ...                 as temp check, without --r\n"),
      {QCommandLineOption(QStringLiteral("yes")),
       QCommandLineOption(QStringLiteral("channel"), QString(), QStringLiteral("N")),
       QCommandLineOption(QStringLiteral("count"), QString(), QStringLiteral("C")),
       QCommandLineOption(QStringLiteral("interval"), QString(), QStringLiteral("S")),
       QCommandLineOption(QStringLiteral("r"), QString(), QStringLiteral("OHMS")),
       QCommandLineOption(QStringLiteral("csv"), QString(), QStringLiteral("FILE")),
       QCommandLineOption(QStringLiteral("uref"), QString(), QStringLiteral("U")),
       QCommandLineOption(QStringLiteral("rl"), QString(), QStringLiteral("R")),
       QCommandLineOption(QStringLiteral("pmax"), QString(), QStringLiteral("P"))},
      Calibrate};
}

}  // namespace vrx
