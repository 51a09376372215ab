#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include "cli/CliRun.h"
#include "cli/ConsoleMessages.h"
#include "cli/ConsoleTimeConfirmation.h"
#include "service/SettingsWrite.h"

namespace vrx {

// What the companion's commands for the service dialogs share: `read` or `write`, the form file
// of `write`, the dialog printed as a form, and everything a write needs from the command line.
class DialogCommand {
 public:
  // Checks the subcommand (`read` or `write --form FILE`), loads the form and connects.
  explicit DialogCommand(CliRun& run);

  bool Writing() const { return writing_; }
  // The form of `write`; empty for `read`.
  const QJsonObject& Form() const { return form_; }
  Connection& Line() { return connection_; }

  // The time stamp confirmed by --time-ok or on the terminal, the terminal's messages and
  // --erase for "Стирать архив".
  SettingsWrite Write();
  int Print(const QJsonObject& dialog);

 private:
  CliRun& run_;
  bool writing_ = false;
  QJsonObject form_;
  Connection& connection_;
  PcTimeStamp stamp_;
  PresetTimeConfirmation preset_;
  ConsoleTimeConfirmation asked_;
  ConsoleMessages messages_;
};

// The usage lines of the dialog commands.
QString DialogCommandDescription(const QString& what, const QString& keys);
QList<QCommandLineOption> DialogCommandOptions();

}  // namespace vrx
