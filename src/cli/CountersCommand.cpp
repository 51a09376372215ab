#include "cli/CliCommand.h"
#include "cli/DialogCommand.h"
#include "service/CorrectionForms.h"

namespace vrx {

namespace {

int Counters(CliRun& run) {
  DialogCommand command(run);
  CounterSetting dialog(command.Line());
  dialog.FormShow();
  dialog.bnReadClick();
  if (!command.Writing())
    return command.Print(ToForm(dialog));
  ApplyForm(dialog, command.Form());
  dialog.bnWriteClick(command.Write());
  return kExitDone;
}

}  // namespace

CliCommand CountersCommand() {
  return {QStringLiteral("counters"),
          QStringLiteral("counters read | counters write --form FILE [--time-ok] [--erase]"),
          DialogCommandDescription(
              QStringLiteral("Установка счетчиков"),
              QStringLiteral("plDeviceType, plNScheme, metp1..metp5, meQ1, meQ3, meG1..meG5 as "
                             "the fields show\nthem, \"----\" for a disabled field, null for a "
                             "hidden one")),
          DialogCommandOptions(), Counters};
}

}  // namespace vrx
