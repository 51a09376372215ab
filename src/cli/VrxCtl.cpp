#include "cli/VrxCtl.h"

#include <QCommandLineParser>
#include <QFile>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <memory>
#include <optional>

#include "cli/ConsoleMessages.h"
#include "cli/ConsoleTimeConfirmation.h"
#include "link/DeviceLink.h"
#include "model/Errors.h"
#include "service/PcTimeStamp.h"
#include "sim/EmulatedInstrument.h"
#include "workspace/InitWorkspace.h"
#include "workspace/InitializeDevice.h"
#include "workspace/ReadIniParams.h"
#include "workspace/WorkspaceForm.h"

namespace vrx {

namespace {

// The window's link settings: COM1 at 4800 baud, replies within 1500 ms.
constexpr int kDefaultPort = 1;
constexpr uint32_t kDefaultBaud = 4800;
constexpr int kReadTimeoutMs = 1500;

struct CliOptions {
  int portNumber = kDefaultPort;
  uint32_t baud = kDefaultBaud;
  QString portPath;
  QString demoType;
  QString command;
  bool json = false;
  // init
  QString formPath;
  bool erase = false;
  bool timeOk = false;
  bool exitInit = false;
};

QString Usage() {
  return QStringLiteral(
      "usage: vrxctl [--port PATH | --com N] [--baud 4800|9600] [--demo TYPE] [--trace] COMMAND\n"
      "commands: identify, settings [--json], init --form FILE [--erase] [--time-ok] "
      "[--exit-init], rq-identify\n");
}

std::optional<CliOptions> ParseOptions(const QStringList& arguments, QTextStream& err) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("PATH"));
  const QCommandLineOption com(QStringLiteral("com"), QString(), QStringLiteral("N"));
  const QCommandLineOption baud(QStringLiteral("baud"), QString(), QStringLiteral("BAUD"));
  const QCommandLineOption demo(QStringLiteral("demo"), QString(), QStringLiteral("TYPE"));
  const QCommandLineOption trace(QStringLiteral("trace"));
  const QCommandLineOption json(QStringLiteral("json"));
  const QCommandLineOption form(QStringLiteral("form"), QString(), QStringLiteral("FILE"));
  const QCommandLineOption erase(QStringLiteral("erase"));
  const QCommandLineOption timeOk(QStringLiteral("time-ok"));
  const QCommandLineOption exitInit(QStringLiteral("exit-init"));
  parser.addOptions({port, com, baud, demo, trace, json, form, erase, timeOk, exitInit});
  parser.addPositionalArgument(QStringLiteral("command"), QString());
  if (!parser.parse(arguments)) {
    err << parser.errorText() << '\n' << Usage();
    return std::nullopt;
  }
  CliOptions options;
  if (parser.isSet(com)) {
    bool ok = false;
    options.portNumber = parser.value(com).toInt(&ok);
    if (!ok || options.portNumber < 1 || options.portNumber > 255) {
      err << "--com expects a port number 1..255\n" << Usage();
      return std::nullopt;
    }
  }
  if (parser.isSet(baud)) {
    options.baud = parser.value(baud).toUInt();
    if (options.baud != 4800 && options.baud != 9600) {
      err << "--baud expects 4800 or 9600\n" << Usage();
      return std::nullopt;
    }
  }
  if (parser.isSet(port) && parser.isSet(com)) {
    err << "--port and --com exclude each other\n" << Usage();
    return std::nullopt;
  }
  options.portPath = parser.value(port);
  options.demoType = parser.value(demo);
  if (parser.isSet(trace))
    QLoggingCategory::setFilterRules(QStringLiteral("vrx.link.debug=true"));
  if (parser.positionalArguments().size() != 1) {
    err << Usage();
    return std::nullopt;
  }
  options.command = parser.positionalArguments().front();
  options.json = parser.isSet(json);
  if (options.json && options.command != QLatin1String("settings")) {
    err << "--json applies to settings only\n" << Usage();
    return std::nullopt;
  }
  const bool init = options.command == QLatin1String("init");
  if (!init && (parser.isSet(form) || parser.isSet(erase) || parser.isSet(timeOk) ||
                parser.isSet(exitInit))) {
    err << "--form, --erase, --time-ok and --exit-init apply to init only\n" << Usage();
    return std::nullopt;
  }
  if (init && !parser.isSet(form)) {
    err << "init needs --form FILE\n" << Usage();
    return std::nullopt;
  }
  options.formPath = parser.value(form);
  options.erase = parser.isSet(erase);
  options.timeOk = parser.isSet(timeOk);
  options.exitInit = parser.isSet(exitInit);
  return options;
}

QString Flag(bool value) {
  return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString HexByte(uint8_t byte) {
  return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

void PrintIdentity(const ConnectionState& state, QTextStream& out) {
  out << "type=" << state.DeviceType->Name << '\n'
      << "type_index=" << state.TypeIndex << '\n'
      << "family_code=" << int(state.Family->Code) << '\n'
      << "version_byte=" << HexByte(state.VersionByte) << '\n'
      << "sub_version=" << int(state.SubVersion) << '\n'
      << "supports_pmax=" << Flag(state.SupportsPmax) << '\n'
      << "low_type_code=" << Flag(state.LowTypeCode) << '\n'
      << "type_byte10=" << Flag(state.TypeByte10) << '\n';
}

void PrintHexBlock(const uint8_t* bytes, int count, QTextStream& out) {
  for (int i = 0; i < count; ++i) {
    out << HexByte(bytes[i]) << ((i % 16 == 15 || i == count - 1) ? '\n' : ' ');
  }
}

// The first tab of the window filled by its "Считать", printed as its form file.
void PrintSettingsForm(DeviceLink& link, ConnectionState& state, InstrumentBuffer& buffer,
                       QTextStream& out) {
  InitWorkspace workspace(state);
  workspace.Start();
  ReadIniParams(workspace, link, state, buffer);
  out << QString::fromUtf8(QJsonDocument(ToForm(workspace)).toJson(QJsonDocument::Indented));
}

// A form file as `settings --json` prints it; nothing when it cannot be read (said on `err`).
std::optional<QJsonObject> LoadForm(const QString& path, QTextStream& err) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    err << "cannot read " << path << ": " << file.errorString() << '\n';
    return std::nullopt;
  }
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) {
    err << path << " is not a form file: "
        << (error.error != QJsonParseError::NoError ? error.errorString()
                                                    : QStringLiteral("no JSON object"))
        << '\n';
    return std::nullopt;
  }
  return document.object();
}

// The form without its model and scheme where they are those already selected: choosing them
// again would put every channel row back to its defaults.
QJsonObject WithoutUnchangedSelection(QJsonObject form, const QJsonObject& selected) {
  for (const char* key : {"cbDeviceType", "cbCountingScheme"}) {
    const QString name = QString::fromLatin1(key);
    if (form.value(name) != selected.value(name))
      break;
    form.remove(name);
  }
  return form;
}

// The engineer confirmed the PC time on the command line.
class PresetTimeConfirmation : public PcTimeConfirmation {
 public:
  bool ConfirmPcTime() override { return true; }
};

// Everything one run of the companion talks to the instrument with.
struct Session {
  TComPort port;
  ConnectionState state;
  InstrumentBuffer buffer;
  RealPacer pacer;
  PlainCursor cursor;
  DeviceLink link{port, state, buffer, pacer, cursor};
};

}  // namespace

int RunVrxCtl(const QStringList& arguments, QTextStream& out, QTextStream& err) {
  QString nothing;
  QTextStream in(&nothing, QIODevice::ReadOnly);
  return RunVrxCtl(arguments, in, out, err);
}

int RunVrxCtl(const QStringList& arguments, QTextStream& in, QTextStream& out, QTextStream& err,
              const PcClock& clock) {
  const std::optional<CliOptions> options = ParseOptions(arguments, err);
  if (!options)
    return 2;
  const QString& command = options->command;
  if (command != QLatin1String("identify") && command != QLatin1String("settings") &&
      command != QLatin1String("init") && command != QLatin1String("rq-identify")) {
    err << "unknown command: " << command << '\n' << Usage();
    return 2;
  }
  std::optional<QJsonObject> form;
  if (command == QLatin1String("init")) {
    form = LoadForm(options->formPath, err);
    if (!form)
      return 2;
  }

  std::unique_ptr<sim::EmulatedInstrument> demo;
  if (!options->demoType.isEmpty()) {
    try {
      // The demo instrument listens at the speed the tool uses, as a matching real one would.
      demo = sim::EmulatedInstrument::Start(options->demoType.toStdString(), options->baud);
    } catch (const std::invalid_argument&) {
      err << "unknown demo instrument: " << options->demoType << '\n';
      return 2;
    }
  }

  Session session;
  if (demo) {
    session.port.Naming().SetOverride(options->portNumber,
                                      QString::fromStdString(demo->SlavePath()));
  } else if (!options->portPath.isEmpty()) {
    session.port.Naming().SetOverride(options->portNumber, options->portPath);
  }
  session.port.Open(static_cast<uint8_t>(options->portNumber), options->baud, kReadTimeoutMs);

  try {
    if (command == QLatin1String("rq-identify")) {
      session.link.IdentifyInterfaceUnit();
      out << "sub_version=" << int(session.state.SubVersion) << '\n';
    } else if (form) {
      // The same initialization as the window's button, on the tab as "Считать" fills it with
      // the form applied on top: what the form does not change (a key it lacks, a cell it shows
      // as "----" or as read) keeps the instrument's value exactly. Only --erase erases the
      // archive, whatever the form says.
      InitWorkspace workspace(session.state);
      workspace.Start();
      ReadIniParams(workspace, session.link, session.state, session.buffer);
      ApplyForm(workspace, WithoutUnchangedSelection(*form, ToForm(workspace)));
      workspace.Controls().CheckBox1.checked = options->erase;
      PcTimeStamp stamp(clock);
      PresetTimeConfirmation preset;
      ConsoleTimeConfirmation asked(in, out, clock);
      PcTimeConfirmation& confirmation =
          options->timeOk ? static_cast<PcTimeConfirmation&>(preset) : asked;
      ConsoleMessages messages(out, err, options->exitInit);
      InitializeDevice(workspace, session.link, session.state, session.buffer, stamp, confirmation,
                       messages);
    } else if (options->json) {
      PrintSettingsForm(session.link, session.state, session.buffer, out);
    } else {
      session.link.IdentifyDevice();
      if (command == QLatin1String("identify")) {
        PrintIdentity(session.state, out);
      } else {
        session.link.ReadSettings();
        PrintHexBlock(session.buffer.data(), session.link.SettingsLength(), out);
      }
    }
  } catch (const EOwned& error) {
    err << error.message() << '\n';
    return 1;
  } catch (const EAbort&) {
    // The PC time was not confirmed: nothing was written.
    return 2;
  }
  return 0;
}

}  // namespace vrx
