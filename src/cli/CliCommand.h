#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

#include "cli/CliRun.h"

namespace vrx {

// One command (or command group) of the companion: its name, how it is called, the options it
// takes besides the line options, and what it does. `run` returns an exit code; an EOwned that
// escapes it exits kExitRefused, a refused confirmation (EAbort) or a UsageError kExitUsage.
struct CliCommand {
  QString name;
  // The command's line of the usage text, after "vrxctl [line options] ".
  QString synopsis;
  // What `vrxctl COMMAND --help` says below the synopsis.
  QString description;
  QList<QCommandLineOption> options;
  std::function<int(CliRun&)> run;
  // The most words the command takes after its name (a subcommand, a record number); more are
  // refused before it runs.
  int words = 0;
};

// Every command, in the order the usage text lists them. Each is defined in a file of its own.
const std::vector<CliCommand>& CliCommands();

CliCommand IdentifyCommand();
CliCommand RqIdentifyCommand();
CliCommand SettingsCommand();
CliCommand InitCommand();
CliCommand IfaceCommand();
CliCommand CurrentCommand();
CliCommand RtcCommand();
CliCommand TicksCommand();
CliCommand CountersCommand();
CliCommand ServiceCommand();
CliCommand CalibrateCommand();
CliCommand RqCommand();
CliCommand JournalCommand();
CliCommand PortsCommand();

}  // namespace vrx
