#include "cli/CliCommand.h"
#include "cli/DocumentOptions.h"
#include "cli/HexText.h"
#include "init/InitWorkspace.h"
#include "init/ReadIniParams.h"
#include "init/WorkspaceForm.h"
#include "model/FormFile.h"

namespace vrx {

namespace {

int Settings(CliRun& run) {
  Connection& connection = run.Connect();
  if (run.IsSet("json") || run.IsSet("pdf") || run.IsSet("check")) {
    // The first tab of the window filled by its "Считать".
    InitWorkspace workspace(connection.state);
    workspace.Start();
    int code = kExitDone;
    if (run.IsSet("check"))
      code = CheckSettingsOption(run, workspace);
    else
      ReadIniParams(workspace, connection.link, connection.state, connection.buffer);
    if (run.IsSet("pdf"))
      SettingsPdfOption(run, workspace);
    if (run.IsSet("json"))
      run.out << QString::fromUtf8(FormFileText(ToForm(workspace)));
    return code;
  }
  connection.link.IdentifyDevice();
  connection.link.ReadSettings();
  PrintHexBlock(connection.buffer.data(), connection.link.SettingsLength(), run.out);
  return kExitDone;
}

}  // namespace

CliCommand SettingsCommand() {
  return {
      QStringLiteral("settings"),
      QStringLiteral("settings [--json] [--pdf FILE] [--check TEMPLATE]"),
      QStringLiteral(
          "Identifies the heat calculator, reads its settings image and prints it as hex, 16 "
          "bytes a line.\n--json fills the first tab as its \"Считать\" does and prints the "
          "tab as its form file.\n--pdf FILE writes the settings protocol of the tab as read (A4, "
          "PDF) to FILE.\n--check TEMPLATE compares the instrument with a template (a form "
          "file) and prints every\nsetting that differs; exit code 0 when all match, 1 "
          "otherwise. With --pdf the protocol lists them.\n"),
      {QCommandLineOption(QStringLiteral("json")),
       QCommandLineOption(QStringLiteral("pdf"), QString(), QStringLiteral("FILE")),
       QCommandLineOption(QStringLiteral("check"), QString(), QStringLiteral("TEMPLATE"))},
      Settings};
}

}  // namespace vrx
