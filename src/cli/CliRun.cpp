#include "cli/CliRun.h"

#include <QLoggingCategory>
#include <utility>

namespace vrx {

QList<QCommandLineOption> LineOptions::Declare() {
  return {
      QCommandLineOption(QStringLiteral("port"), QString(), QStringLiteral("PATH")),
      QCommandLineOption(QStringLiteral("com"), QString(), QStringLiteral("N")),
      QCommandLineOption(QStringLiteral("baud"), QString(), QStringLiteral("BAUD")),
      QCommandLineOption(QStringLiteral("demo"), QString(), QStringLiteral("TYPE")),
      QCommandLineOption(QStringLiteral("trace")),
      QCommandLineOption(QStringLiteral("journal"), QString(), QStringLiteral("FILE")),
      QCommandLineOption(QStringLiteral("trace-file"), QString(), QStringLiteral("FILE")),
  };
}

LineOptions LineOptions::From(const QCommandLineParser& parser) {
  LineOptions options;
  if (parser.isSet(QStringLiteral("com"))) {
    bool ok = false;
    options.portNumber = parser.value(QStringLiteral("com")).toInt(&ok);
    if (!ok || options.portNumber < 1 || options.portNumber > 255)
      throw UsageError(QStringLiteral("--com expects a port number 1..255"));
  }
  if (parser.isSet(QStringLiteral("baud"))) {
    options.baud = parser.value(QStringLiteral("baud")).toUInt();
    if (options.baud != 4800 && options.baud != 9600)
      throw UsageError(QStringLiteral("--baud expects 4800 or 9600"));
  }
  // An empty value is a variable left unset in a script: --port "" would mean COM1's device.
  for (const QCommandLineOption& option : Declare()) {
    const QString name = option.names().front();
    if (!option.valueName().isEmpty() && parser.isSet(name) && parser.value(name).isEmpty())
      throw UsageError(
          QStringLiteral("--%1 expects %2, not an empty text").arg(name, option.valueName()));
  }
  if (parser.isSet(QStringLiteral("port")) && parser.isSet(QStringLiteral("com")))
    throw UsageError(QStringLiteral("--port and --com exclude each other"));
  if (parser.isSet(QStringLiteral("port")) && parser.isSet(QStringLiteral("demo")))
    throw UsageError(QStringLiteral("--port and --demo exclude each other"));
  options.portPath = parser.value(QStringLiteral("port"));
  options.demoType = parser.value(QStringLiteral("demo"));
  options.journalPath = parser.value(QStringLiteral("journal"));
  options.traceFile = parser.value(QStringLiteral("trace-file"));
  if (parser.isSet(QStringLiteral("trace")))
    QLoggingCategory::setFilterRules(QStringLiteral("vrx.link.debug=true"));
  return options;
}

CliRun::CliRun(const QCommandLineParser& parser, LineOptions line, QStringList words,
               QTextStream& in, QTextStream& out, QTextStream& err, const PcClock& clock)
    : in(in),
      out(out),
      err(err),
      clock(clock),
      parser_(parser),
      line_(std::move(line)),
      words_(std::move(words)) {}

bool CliRun::IsSet(const char* option) const {
  return parser_.isSet(QString::fromLatin1(option));
}

QString CliRun::Value(const char* option) const {
  return parser_.value(QString::fromLatin1(option));
}

Connection& CliRun::Connect() {
  if (connection_)
    return *connection_;
  auto connection = std::make_unique<Connection>();
  if (!line_.demoType.isEmpty()) {
    try {
      // The demo instrument listens at the speed the tool uses, as a matching real one would.
      demo_ = sim::StartDemoInstrument(line_.demoType, line_.baud, connection->port.Naming(),
                                       line_.portNumber);
    } catch (const std::invalid_argument&) {
      throw UsageError(QStringLiteral("unknown demo instrument: ") + line_.demoType);
    }
  }
  connection_ = std::move(connection);
  Journal();
  journal_->Attach(*connection_);
  TComPort& port = connection_->port;
  if (!line_.traceFile.isEmpty()) {
    QString error;
    trace_ = LineTrace::Open(line_.traceFile, &error);
    if (!trace_)
      throw UsageError(
          QStringLiteral("cannot open the trace file %1: %2").arg(line_.traceFile, error));
    // The exchange goes on without the trace; that it does is said once.
    trace_->OnFailure([this](const QString& message) {
      err << message << '\n';
      err.flush();
    });
    port.SetTrace(trace_.get());
  }
  if (!demo_ && !line_.portPath.isEmpty()) {
    port.Naming().SetOverride(line_.portNumber, line_.portPath);
  }
  port.Open(static_cast<uint8_t>(line_.portNumber), line_.baud, LineOptions::kReadTimeoutMs);
  return *connection_;
}

QStringList CliRun::TakeLostOutcomes() {
  return journal_ ? journal_->TakeLostOutcomes() : QStringList();
}

JournalDatabase& CliRun::Journal() {
  if (!journal_) {
    journal_ = std::make_unique<JournalKeeper>(
        line_.journalPath.isEmpty() ? JournalDatabase::DefaultPath() : line_.journalPath, clock);
  }
  return journal_->Database();
}

}  // namespace vrx
