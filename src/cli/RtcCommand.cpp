#include <algorithm>

#include "cli/CliCommand.h"
#include "cli/DialogCommand.h"
#include "service/RtcAutocorrection.h"

namespace vrx {

namespace {

QJsonObject Form(const RtcAutocorrection& dialog) {
  return {{"stDeviceType", dialog.stDeviceType},
          {"TrackBar1", dialog.position},
          {"l1", dialog.l1},
          {"Label2", dialog.Label2},
          {"Label3", dialog.Label3}};
}

int Rtc(CliRun& run) {
  DialogCommand command(run);
  RtcAutocorrection dialog(command.Line());
  dialog.FormShow();
  dialog.bnReadClick();
  if (!command.Writing())
    return command.Print(Form(dialog));
  // The slider stops at its ends.
  if (const std::optional<int> position = command.Number(QStringLiteral("TrackBar1")))
    dialog.TrackBar1Change(std::clamp(*position, dialog.minimum, dialog.maximum));
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
