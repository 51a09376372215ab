#include "cli/CliCommand.h"
#include "cli/DialogCommand.h"
#include "service/CorrectionForms.h"

namespace vrx {

namespace {

int Ticks(CliRun& run) {
  DialogCommand command(run);
  TicksCorrection dialog(command.Line());
  dialog.FormShow();
  dialog.bnReadClick();
  if (!command.Writing())
    return command.Print(ToForm(dialog));
  ApplyForm(dialog, command.Form());
  dialog.bnWriteClick(command.Write());
  return kExitDone;
}

}  // namespace

CliCommand TicksCommand() {
  return {QStringLiteral("ticks"),
          QStringLiteral("ticks read | ticks write --form FILE [--time-ok] [--erase]"),
          DialogCommandDescription(
              QStringLiteral("Коррекция цены импульса"),
              QStringLiteral("plDeviceType, TrackBar1..TrackBar4, l1..l4; null for a hidden "
                             "channel")),
          DialogCommandOptions(), Ticks};
}

}  // namespace vrx
