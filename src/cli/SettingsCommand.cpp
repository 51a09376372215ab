#include "cli/CliCommand.h"
#include "cli/HexText.h"
#include "init/InitWorkspace.h"
#include "init/ReadIniParams.h"
#include "init/WorkspaceForm.h"
#include "model/FormFile.h"

namespace vrx {

namespace {

int Settings(CliRun& run) {
  Connection& connection = run.Connect();
  if (run.IsSet("json")) {
    // The first tab of the window filled by its "Считать", printed as its form file.
    InitWorkspace workspace(connection.state);
    workspace.Start();
    ReadIniParams(workspace, connection.link, connection.state, connection.buffer);
    run.out << QString::fromUtf8(FormFileText(ToForm(workspace)));
    return kExitDone;
  }
  connection.link.IdentifyDevice();
  connection.link.ReadSettings();
  PrintHexBlock(connection.buffer.data(), connection.link.SettingsLength(), run.out);
  return kExitDone;
}

}  // namespace

CliCommand SettingsCommand() {
  return {QStringLiteral("settings"),
          QStringLiteral("settings [--json]"),
          QStringLiteral(
              "Identifies the heat calculator, reads its settings image and prints it as hex, 16 "
              "bytes a line.\n--json fills the first tab as its \"Считать\" does and prints the "
              "tab as its form file.\n"),
          {QCommandLineOption(QStringLiteral("json"))},
          Settings};
}

}  // namespace vrx
