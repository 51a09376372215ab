#include "service/CorrectionForms.h"

#include <QJsonValue>
#include <algorithm>

#include "model/FormFile.h"

namespace vrx {

QJsonObject ToForm(const RtcAutocorrection& dialog) {
  return {{"stDeviceType", dialog.stDeviceType},
          {"TrackBar1", dialog.position},
          {"l1", dialog.l1},
          {"Label2", dialog.Label2},
          {"Label3", dialog.Label3}};
}

void ApplyForm(RtcAutocorrection& dialog, const QJsonObject& form) {
  if (const std::optional<int> position = FormNumber(form, QStringLiteral("TrackBar1")))
    dialog.TrackBar1Change(std::clamp(*position, dialog.minimum, dialog.maximum));
}

QJsonObject ToForm(const TicksCorrection& dialog) {
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

void ApplyForm(TicksCorrection& dialog, const QJsonObject& form) {
  for (int i = 0; i < TicksCorrection::kChannels; ++i) {
    const std::optional<int> position = FormNumber(form, QStringLiteral("TrackBar%1").arg(i + 1));
    if (position && dialog.groupVisible[static_cast<size_t>(i)])
      dialog.TrackBarChange(i, std::clamp(*position, -dialog.maximum, dialog.maximum));
  }
}

QJsonObject ToForm(const CounterSetting& dialog) {
  QJsonObject form{{"plDeviceType", dialog.plDeviceType}, {"plNScheme", dialog.plNScheme}};
  for (const CounterField& field : dialog.fields) {
    form.insert(field.name, field.state == CounterFieldState::Hidden
                                ? QJsonValue()
                                : QJsonValue(MaskedDisplay(field)));
  }
  return form;
}

void ApplyForm(CounterSetting& dialog, const QJsonObject& form) {
  // "----" fields take no input.
  for (CounterField& field : dialog.fields) {
    const std::optional<QString> shown = FormText(form, field.name);
    if (shown && field.state == CounterFieldState::Editable)
      field.text = TextOfDisplay(field, *shown);
  }
}

}  // namespace vrx
