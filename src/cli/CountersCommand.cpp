#include <QJsonValue>

#include "cli/CliCommand.h"
#include "cli/DialogCommand.h"
#include "service/CounterSetting.h"

namespace vrx {

namespace {

QJsonObject Form(const CounterSetting& dialog) {
  QJsonObject form{{"plDeviceType", dialog.plDeviceType}, {"plNScheme", dialog.plNScheme}};
  for (const CounterField& field : dialog.fields) {
    form.insert(field.name, field.state == CounterFieldState::Hidden
                                ? QJsonValue()
                                : QJsonValue(MaskedDisplay(field)));
  }
  return form;
}

int Counters(CliRun& run) {
  DialogCommand command(run);
  CounterSetting dialog(command.Line());
  dialog.FormShow();
  dialog.bnReadClick();
  if (!command.Writing())
    return command.Print(Form(dialog));
  // Typed as into the masked edits: the characters at the digit places count; "----" fields
  // take no input.
  for (CounterField& field : dialog.fields) {
    const std::optional<QString> shown = command.Text(field.name);
    if (shown && field.state == CounterFieldState::Editable)
      field.text = TextOfDisplay(field, *shown);
  }
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
