#pragma once

#include <QJsonObject>
#include <QStringList>

#include "service/CounterSetting.h"
#include "service/RtcAutocorrection.h"
#include "service/TicksCorrection.h"

namespace vrx {

// The correction dialogs of the tab "Сервис" as form files, keyed by form name, as
// `vrxctl rtc|ticks|counters read` prints them and `write --form` takes them.

// "Автокоррекция RTC": stDeviceType, TrackBar1 (a number), l1, Label2, Label3.
QJsonObject ToForm(const RtcAutocorrection& dialog);
// "Коррекция цены импульса": plDeviceType, TrackBar1..TrackBar4 and l1..l4, null for a hidden
// channel.
QJsonObject ToForm(const TicksCorrection& dialog);
// "Установка счетчиков": plDeviceType, plNScheme and every counter field as it shows, mask
// literals included, "----" for a disabled field, null for a hidden one.
QJsonObject ToForm(const CounterSetting& dialog);

// Apply a form as typed into the prepared dialog: a slider takes a whole number and stops at its
// ends, a masked field takes the characters at its digit places. The texts that only display
// (the model, the scheme, the sliders' captions) are skipped, as are keys the form lacks and null
// values. Return what the dialog cannot use, none of it applied: a key that is no control of the
// dialog, a value of the wrong JSON type, a value for a slider or a field that is hidden for the
// model (another model's channel or counter), a text for a disabled field other than "----".
[[nodiscard]] QStringList ApplyForm(RtcAutocorrection& dialog, const QJsonObject& form);
[[nodiscard]] QStringList ApplyForm(TicksCorrection& dialog, const QJsonObject& form);
[[nodiscard]] QStringList ApplyForm(CounterSetting& dialog, const QJsonObject& form);

}  // namespace vrx
