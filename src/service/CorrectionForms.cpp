#include "service/CorrectionForms.h"

#include <QJsonValue>
#include <algorithm>
#include <optional>

namespace vrx {

namespace {

const QString kDisabled = QStringLiteral("----");

// Keys of a form that are shown by the dialog but only display: a text or null.
void SkipDisplay(const QJsonObject& form, const QStringList& keys, QStringList& refused) {
  for (const QString& key : keys) {
    const QJsonValue value = form.value(key);
    if (!value.isUndefined() && !value.isNull() && !value.isString())
      refused << key;
  }
}

void RefuseUnknown(const QJsonObject& form, const QJsonObject& dialog, QStringList& refused) {
  for (auto it = form.begin(); it != form.end(); ++it) {
    if (!dialog.contains(it.key()))
      refused << it.key();
  }
}

bool Given(const QJsonValue& value) {
  return !value.isUndefined() && !value.isNull();
}

// A slider position: a whole number; anything else is refused.
std::optional<int> Position(const QJsonObject& form, const QString& key, QStringList& refused) {
  const QJsonValue value = form.value(key);
  if (!Given(value))
    return std::nullopt;
  const double number = value.toDouble();
  if (!value.isDouble() || number != static_cast<double>(static_cast<long long>(number))) {
    refused << key;
    return std::nullopt;
  }
  // Beyond any slider's ends, and still a number an int holds.
  return static_cast<int>(std::clamp(number, -1000.0, 1000.0));
}

}  // namespace

QJsonObject ToForm(const RtcAutocorrection& dialog) {
  return {{"stDeviceType", dialog.stDeviceType},
          {"TrackBar1", dialog.position},
          {"l1", dialog.l1},
          {"Label2", dialog.Label2},
          {"Label3", dialog.Label3}};
}

QJsonObject ToForm(const TicksCorrection& dialog) {
  QJsonObject form{{"plDeviceType", dialog.plDeviceType}};
  for (size_t i = 0; i < TicksCorrection::kChannels; ++i) {
    const bool shown = dialog.groupVisible[i];
    form.insert(QStringLiteral("TrackBar%1").arg(i + 1),
                shown ? QJsonValue(dialog.position[i]) : QJsonValue());
    form.insert(QStringLiteral("l%1").arg(i + 1),
                shown ? QJsonValue(dialog.text[i]) : QJsonValue());
  }
  return form;
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

QStringList ApplyForm(RtcAutocorrection& dialog, const QJsonObject& form) {
  QStringList refused;
  RefuseUnknown(form, ToForm(dialog), refused);
  SkipDisplay(form, {"stDeviceType", "l1", "Label2", "Label3"}, refused);
  const std::optional<int> position = Position(form, QStringLiteral("TrackBar1"), refused);
  if (refused.isEmpty() && position)
    dialog.TrackBar1Change(std::clamp(*position, dialog.minimum, dialog.maximum));
  return refused;
}

QStringList ApplyForm(TicksCorrection& dialog, const QJsonObject& form) {
  QStringList refused;
  RefuseUnknown(form, ToForm(dialog), refused);
  SkipDisplay(form, {"plDeviceType"}, refused);
  std::array<std::optional<int>, TicksCorrection::kChannels> positions;
  for (size_t i = 0; i < TicksCorrection::kChannels; ++i) {
    const QString slider = QStringLiteral("TrackBar%1").arg(i + 1);
    const QString caption = QStringLiteral("l%1").arg(i + 1);
    if (!dialog.groupVisible[i]) {
      for (const QString& key : {slider, caption}) {
        if (Given(form.value(key)))
          refused << key;
      }
      continue;
    }
    SkipDisplay(form, {caption}, refused);
    positions[i] = Position(form, slider, refused);
  }
  if (!refused.isEmpty())
    return refused;
  for (size_t i = 0; i < TicksCorrection::kChannels; ++i) {
    if (positions[i])
      dialog.TrackBarChange(static_cast<int>(i),
                            std::clamp(*positions[i], -dialog.maximum, dialog.maximum));
  }
  return refused;
}

QStringList ApplyForm(CounterSetting& dialog, const QJsonObject& form) {
  QStringList refused;
  RefuseUnknown(form, ToForm(dialog), refused);
  SkipDisplay(form, {"plDeviceType", "plNScheme"}, refused);
  for (const CounterField& field : dialog.fields) {
    const QJsonValue value = form.value(field.name);
    if (!Given(value))
      continue;
    const bool takes =
        value.isString() &&
        (field.state == CounterFieldState::Editable ||
         (field.state == CounterFieldState::Disabled && value.toString() == kDisabled));
    if (!takes)
      refused << field.name;
  }
  if (!refused.isEmpty())
    return refused;
  for (CounterField& field : dialog.fields) {
    const QJsonValue value = form.value(field.name);
    if (value.isString() && field.state == CounterFieldState::Editable)
      field.text = TextOfDisplay(field, value.toString());
  }
  return refused;
}

}  // namespace vrx
