#include "cli/CliCommand.h"
#include "cli/ConsoleMessages.h"
#include "cli/ConsoleTimeConfirmation.h"
#include "init/InitTemplate.h"
#include "init/InitWorkspace.h"
#include "init/InitializeDevice.h"
#include "init/ReadIniParams.h"
#include "model/FormFile.h"
#include "stamp/PcTimeStamp.h"

namespace vrx {

namespace {

int Init(CliRun& run) {
  if (!run.IsSet("form"))
    throw UsageError(QStringLiteral("init needs --form FILE"));
  const QJsonObject form = LoadFormFile(run.Value("form"));
  Connection& connection = run.Connect();

  // The same initialization as the window's button, on the tab as "Считать" fills it with the
  // form applied on top: what the form does not change (a key it lacks, a cell it shows as
  // "----" or as read) keeps the instrument's value exactly. Only --erase erases the archive,
  // whatever the form says.
  InitWorkspace workspace(connection.state);
  workspace.Start();
  ReadIniParams(workspace, connection.link, connection.state, connection.buffer);
  ApplyInitTemplate(workspace, form);
  workspace.Controls().CheckBox1.checked = run.IsSet("erase");
  PcTimeStamp stamp(run.clock);
  PresetTimeConfirmation preset;
  ConsoleTimeConfirmation asked(run.in, run.out, run.clock);
  PcTimeConfirmation& confirmation =
      run.IsSet("time-ok") ? static_cast<PcTimeConfirmation&>(preset) : asked;
  ConsoleMessages messages(run.out, run.err, run.IsSet("exit-init"));
  InitializeDevice(workspace, connection.link, connection.state, connection.buffer, stamp,
                   confirmation, messages);
  return kExitDone;
}

}  // namespace

CliCommand InitCommand() {
  return {
      QStringLiteral("init"),
      QStringLiteral("init --form FILE [--erase] [--time-ok] [--exit-init]"),
      QStringLiteral(
          "Initializes the heat calculator as the window's \"Провести инициализацию\" does: "
          "the tab is filled\nfrom the instrument as \"Считать\" fills it, FILE (a form as "
          "`settings --json` prints it, whole\nor only the keys to change) is applied on "
          "top, then validated and written.\nThe window's \"Сохранить шаблон…\" saves such a "
          "form, and \"Загрузить шаблон…\" loads one.\n"
          "  --erase      erase the archive (command 0; otherwise 18)\n"
          "  --time-ok    the PC time is right (otherwise it is asked on the terminal)\n"
          "  --exit-init  on a VRX-L1, leave initialization mode after the write\n"),
      {QCommandLineOption(QStringLiteral("form"), QString(), QStringLiteral("FILE")),
       QCommandLineOption(QStringLiteral("erase")), QCommandLineOption(QStringLiteral("time-ok")),
       QCommandLineOption(QStringLiteral("exit-init"))},
      Init};
}

}  // namespace vrx
