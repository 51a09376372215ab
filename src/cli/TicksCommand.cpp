#include <QJsonValue>
#include <algorithm>

#include "cli/CliCommand.h"
#include "cli/DialogCommand.h"
#include "service/TicksCorrection.h"

namespace vrx {

namespace {

QJsonObject Form(const TicksCorrection& dialog) {
  QJsonObject form{{"plDeviceType", dialog.plDeviceType}};
  for (int i = 0; i < TicksCorrection::kChannels; ++i) {
    const bool shown = dialog.groupVisible[static_cast<size_t>(i)];
    form.insert(QStringLiteral("TrackBar%1").arg(i + 1),
                shown ? QJsonValue(dialog.position[static_cast<size_t>(i)]) : QJsonValue());
    form.insert(QStringLiteral("l%1").arg(i + 1),
                shown ? QJsonValue(dialog.text[static_cast<size_t>(i)]) : QJsonValue());
  }
  return form;
}

int Ticks(CliRun& run) {
  DialogCommand command(run);
  TicksCorrection dialog(command.Line());
  dialog.FormShow();
  dialog.bnReadClick();
  if (!command.Writing())
    return command.Print(Form(dialog));
  for (int i = 0; i < TicksCorrection::kChannels; ++i) {
    const std::optional<int> position = command.Number(QStringLiteral("TrackBar%1").arg(i + 1));
    if (position && dialog.groupVisible[static_cast<size_t>(i)])
      dialog.TrackBarChange(i, std::clamp(*position, -dialog.maximum, dialog.maximum));
  }
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
