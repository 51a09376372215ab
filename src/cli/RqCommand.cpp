#include <QJsonDocument>

#include "cli/CliCommand.h"
#include "cli/ConsoleTimeConfirmation.h"
#include "model/FormFile.h"
#include "rq7/Rq7Readout.h"
#include "rq7/Rq7Workspace.h"
#include "stamp/PcTimeStamp.h"

namespace vrx {

namespace {

// The engineer confirmed the PC time on the command line.
class PresetTimeConfirmation : public PcTimeConfirmation {
 public:
  bool ConfirmPcTime() override { return true; }
};

void PrintJson(CliRun& run, const QJsonObject& json) {
  run.out << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
}

int Read(CliRun& run) {
  Rq7Workspace workspace;
  workspace.Read(run.Connect());
  PrintJson(run, Rq7FormToJson(workspace.Form()));
  return kExitDone;
}

int Init(CliRun& run) {
  if (!run.IsSet("form"))
    throw UsageError(QStringLiteral("rq init needs --form FILE"));
  const QJsonObject form = LoadFormFile(run.Value("form"));
  Connection& connection = run.Connect();
  Rq7Workspace workspace;
  workspace.Read(connection);
  const QStringList refused = ApplyRq7Json(workspace.Form(), form);
  if (!refused.isEmpty())
    throw UsageError(QStringLiteral("%1: not a value of the tab: %2")
                         .arg(run.Value("form"), refused.join(QStringLiteral(", "))));

  PcTimeStamp stamp(run.clock);
  PresetTimeConfirmation preset;
  ConsoleTimeConfirmation asked(run.in, run.out, run.clock);
  PcTimeConfirmation& confirmation =
      run.IsSet("time-ok") ? static_cast<PcTimeConfirmation&>(preset) : asked;
  // The question after the write is answered by --exit-init; the first tab's model is the one
  // the window starts with, not of the VRX-L1 families.
  RecordingMessages messages;
  messages.Answer(run.IsSet("exit-init") ? 1 : 2);
  const bool written = workspace.Initialize(connection, stamp, confirmation, messages, false);
  for (const QString& text : messages.Texts())
    (written ? run.out : run.err) << text << '\n';
  return written ? kExitDone : kExitRefused;
}

CurrentPath PathOf(const QString& name) {
  if (name.isEmpty() || name == QLatin1String("cable"))
    return CurrentPath::Cable;
  if (name == QLatin1String("opx"))
    return CurrentPath::Opx;
  if (name == QLatin1String("rs"))
    return CurrentPath::Interface;
  throw UsageError(QStringLiteral("--path takes cable, opx or rs, not ") + name);
}

int Current(CliRun& run) {
  const CurrentPath path = PathOf(run.Value("path"));
  bool ok = true;
  const uint32_t baud = run.IsSet("rs-baud") ? run.Value("rs-baud").toUInt(&ok) : 0;
  if (!ok || (run.IsSet("rs-baud") && baud == 0))
    throw UsageError(QStringLiteral("--rs-baud takes a line speed"));
  Connection& connection = run.Connect();
  if (baud != 0)
    connection.modbus.SetInterfaceBaud(baud);
  Rq7ValuesDisplay display;
  // Without a terminal to show it, the adapter's hint goes to the error stream.
  RecordingMessages messages;
  struct Hints {
    RecordingMessages& messages;
    QTextStream& err;
    ~Hints() {
      for (const QString& text : messages.Texts())
        err << text << '\n';
    }
  } hints{messages, run.err};
  ReadRq7Values(connection, path, messages, display);
  if (run.IsSet("json")) {
    PrintJson(run, Rq7ValuesToJson(display));
  } else {
    for (const QString& field : Rq7ValueFields())
      run.out << field << '=' << display.value(field).replace(QStringLiteral("\r\n"), "; ") << '\n';
  }
  return kExitDone;
}

int Rq(CliRun& run) {
  const QString sub = run.Words().value(0);
  if (sub == QLatin1String("read"))
    return Read(run);
  if (sub == QLatin1String("init"))
    return Init(run);
  if (sub == QLatin1String("current"))
    return Current(run);
  throw UsageError(QStringLiteral("rq takes read, init or current"));
}

}  // namespace

CliCommand RqCommand() {
  return {
      QStringLiteral("rq"),
      QStringLiteral("rq read | rq init --form FILE [--time-ok] [--exit-init] | rq current "
                     "[--path cable|opx|rs] [--rs-baud N] [--json]"),
      QStringLiteral(
          "The RQ-7 unit's tabs.\n"
          "  read     runs \"Считать\" of \"Инициализация RQ\" and prints the tab as JSON keyed "
          "by form name\n"
          "  init     reads, applies FILE (the same keys, all or some) and runs \"Провести "
          "инициализацию\";\n"
          "           failed checks print their messages on stderr and exit 1, nothing sent\n"
          "    --time-ok    the PC time is right (otherwise it is asked on the terminal)\n"
          "    --exit-init  answer \"Да\" to leaving initialization mode\n"
          "  current  reads the clock and values blocks of \"Текущие параметры RQ\" and prints "
          "name=text lines\n"
          "    --path       cable (default), opx or rs (the interface module)\n"
          "    --rs-baud N  the interface module's speed (38400 until set)\n"
          "    --json       the fields as JSON keyed by form name, texts as shown\n"),
      {QCommandLineOption(QStringLiteral("form"), QString(), QStringLiteral("FILE")),
       QCommandLineOption(QStringLiteral("time-ok")),
       QCommandLineOption(QStringLiteral("exit-init")),
       QCommandLineOption(QStringLiteral("path"), QString(), QStringLiteral("PATH")),
       QCommandLineOption(QStringLiteral("rs-baud"), QString(), QStringLiteral("N")),
       QCommandLineOption(QStringLiteral("json"))},
      Rq};
}

}  // namespace vrx
