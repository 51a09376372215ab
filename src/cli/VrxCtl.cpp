#include "cli/VrxCtl.h"

#include <QIODevice>
#include <QRegularExpression>
#include <map>
#include <optional>

#include "cli/CliCommand.h"
#include "model/Errors.h"
#include "model/FormFile.h"

namespace vrx {

namespace {

const char* const kLineSynopsis =
    "vrxctl [--port PATH | --com N] [--baud 4800|9600] [--demo TYPE] [--trace] "
    "[--trace-file FILE] [--journal FILE] ";

QString Usage() {
  QString text = QStringLiteral("usage: ") + QString::fromLatin1(kLineSynopsis) +
                 QStringLiteral("COMMAND [options]\ncommands:\n");
  for (const CliCommand& command : CliCommands())
    text += QStringLiteral("  ") + command.synopsis + '\n';
  text += QStringLiteral(
      "line options:\n"
      "  --port PATH  the serial device, or a network serial server rfc2217://HOST:PORT or\n"
      "               tcp://HOST:PORT (mapped to the chosen COM port)\n"
      "  --com N      port COMN as the window resolves it (default 1)\n"
      "  --baud B     link speed, 4800 or 9600 (default 4800)\n"
      "  --demo TYPE  an emulated instrument: a catalogue type such as VRX-L13-2.2, or RQ-7\n"
      "  --trace      log every byte on the line (logging category vrx.link)\n"
      "  --trace-file FILE  append every byte on the line to FILE, one exchange a line\n"
      "  --journal FILE  the journal of writes (default: $VRX_JOURNAL, else the per-user one)\n"
      "exit codes: 0 done; 1 the instrument or a value refused (the message alone on stderr);\n"
      "2 a wrong command line, an unreadable file, a form with keys or values the tab cannot\n"
      "use, or a refused confirmation; 3 the write was done, but the journal could not store\n"
      "its outcome (the record is left without one; the message says which).\n"
      "`vrxctl COMMAND --help` describes a command.\n");
  return text;
}

QString CommandUsage(const CliCommand& command) {
  return QStringLiteral("usage: ") + QString::fromLatin1(kLineSynopsis) + command.synopsis + '\n' +
         command.description;
}

const CliCommand* FindCommand(const QString& name) {
  for (const CliCommand& command : CliCommands()) {
    if (command.name == name)
      return &command;
  }
  return nullptr;
}

// Every option of every command goes into one parser, so options may stand before or after the
// command's name; which of them the chosen command takes is checked after parsing.
void DeclareOptions(QCommandLineParser& parser, std::map<QString, QStringList>& owners) {
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOptions(LineOptions::Declare());
  parser.addOption(QCommandLineOption(QStringLiteral("help")));
  for (const CliCommand& command : CliCommands()) {
    for (const QCommandLineOption& option : command.options) {
      const QString name = option.names().front();
      if (owners.find(name) == owners.end())
        parser.addOption(option);
      owners[name] << command.name;
    }
  }
}

// The first option given that the command does not take, with the commands that do.
std::optional<QString> ForeignOption(const QCommandLineParser& parser, const CliCommand& command,
                                     const std::map<QString, QStringList>& owners) {
  for (const auto& [name, commands] : owners) {
    if (parser.isSet(name) && !commands.contains(command.name)) {
      return QStringLiteral("--%1 applies to %2 only")
          .arg(name, commands.join(QStringLiteral(", ")));
    }
  }
  return std::nullopt;
}

// The names of the options that take a value, of every command and of the line.
QStringList OptionsTakingValues() {
  QList<QCommandLineOption> options = LineOptions::Declare();
  for (const CliCommand& command : CliCommands())
    options += command.options;
  QStringList names;
  for (const QCommandLineOption& option : options) {
    if (!option.valueName().isEmpty())
      names += option.names();
  }
  return names;
}

// A negative number is a word of the command ("journal show -1"), not an option; the parser
// takes the words after "--" as such. Returns the arguments with every such word moved there,
// behind the rest: a number is the last word of every command that takes one.
QStringList NegativeNumbersAsWords(const QStringList& arguments) {
  static const QRegularExpression number(QStringLiteral("^-[0-9]"));
  const QStringList takingValues = OptionsTakingValues();
  QStringList rest;
  QStringList numbers;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--"))
      return arguments;
    if (i > 0 && number.match(argument).hasMatch()) {
      numbers << argument;
      continue;
    }
    rest << argument;
    // The value of an option that takes one stays with it, whatever it looks like.
    const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    if (i > 0 && argument.startsWith('-') && takingValues.contains(name) &&
        i + 1 < arguments.size())
      rest << arguments[++i];
  }
  return numbers.isEmpty() ? arguments : rest + QStringList{QStringLiteral("--")} + numbers;
}

}  // namespace

int RunVrxCtl(const QStringList& arguments, QTextStream& out, QTextStream& err) {
  QString nothing;
  QTextStream in(&nothing, QIODevice::ReadOnly);
  return RunVrxCtl(arguments, in, out, err);
}

int RunVrxCtl(const QStringList& arguments, QTextStream& in, QTextStream& out, QTextStream& err,
              const PcClock& clock) {
  QCommandLineParser parser;
  std::map<QString, QStringList> owners;
  DeclareOptions(parser, owners);
  if (!parser.parse(NegativeNumbersAsWords(arguments))) {
    err << parser.errorText() << '\n' << Usage();
    return kExitUsage;
  }
  QStringList words = parser.positionalArguments();
  const bool help = parser.isSet(QStringLiteral("help"));
  if (words.isEmpty()) {
    (help ? out : err) << Usage();
    return help ? kExitDone : kExitUsage;
  }
  const CliCommand* command = FindCommand(words.takeFirst());
  if (command == nullptr) {
    err << "unknown command: " << parser.positionalArguments().front() << '\n' << Usage();
    return kExitUsage;
  }
  if (help) {
    out << CommandUsage(*command);
    return kExitDone;
  }
  if (words.size() > command->words) {
    err << "unexpected argument: " << words.at(command->words) << '\n' << CommandUsage(*command);
    return kExitUsage;
  }

  const auto misused = [&](const std::exception& error) {
    err << QString::fromStdString(error.what()) << '\n' << CommandUsage(*command);
    return kExitUsage;
  };
  // Outlives the command, so that what its writes left behind in the journal can be told.
  std::unique_ptr<CliRun> run;
  const int code = [&]() -> int {
    try {
      if (const std::optional<QString> foreign = ForeignOption(parser, *command, owners))
        throw UsageError(*foreign);
      run = std::make_unique<CliRun>(parser, LineOptions::From(parser), words, in, out, err, clock);
      return command->run(*run);
    } catch (const UsageError& error) {
      return misused(error);
    } catch (const FormFileError& error) {
      // A form file that cannot be used is a fault of the command line that named it.
      return misused(error);
    } catch (const FormRefused& error) {
      // Keys of a form the tab cannot use: refused before anything is sent; the message names
      // them.
      err << error.message() << '\n';
      return kExitUsage;
    } catch (const EOwned& error) {
      // A port that did not open says why on the message's second line.
      err << error.message() << '\n';
      return kExitRefused;
    } catch (const EAbort&) {
      // A confirmation was refused: nothing was written.
      return kExitUsage;
    }
  }();
  const QStringList lost = run ? run->TakeLostOutcomes() : QStringList();
  for (const QString& text : lost)
    err << text << '\n';
  return code == kExitDone && !lost.isEmpty() ? kExitOutcomeLost : code;
}

}  // namespace vrx
