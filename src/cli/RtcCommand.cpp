#include "cli/CliCommand.h"
#include "cli/DialogCommand.h"
#include "service/CorrectionForms.h"

namespace vrx {

namespace {

int Rtc(CliRun& run) {
  DialogCommand command(run);
  RtcAutocorrection dialog(command.Line());
  dialog.FormShow();
  dialog.bnReadClick();
  if (!command.Writing())
    return command.Print(ToForm(dialog));
  ApplyForm(dialog, command.Form());
  dialog.bnWriteClick(command.Write());
  return kExitDone;
}

}  // namespace

CliCommand RtcCommand() {
  return {QStringLiteral("rtc"),
          QStringLiteral("rtc read | rtc write --form FILE [--time-ok] [--erase]"),
          DialogCommandDescription(QStringLiteral("Автокоррекция RTC"),
                                   QStringLiteral("stDeviceType, TrackBar1, l1, Label2, Label3")),
          DialogCommandOptions(), Rtc};
}

}  // namespace vrx
