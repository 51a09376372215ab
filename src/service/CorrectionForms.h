#pragma once

#include <QJsonObject>

#include "service/CounterSetting.h"
#include "service/RtcAutocorrection.h"
#include "service/TicksCorrection.h"

namespace vrx {

// The correction dialogs of the tab "Сервис" as form files, keyed by the form names of their
// controls: what `vrxctl rtc|ticks|counters read` prints and `write --form` takes. A value of
// the wrong JSON type raises FormValueError; keys a form lacks leave their control as it is.

// stDeviceType, TrackBar1, l1, Label2, Label3.
QJsonObject ToForm(const RtcAutocorrection& dialog);
// TrackBar1, moved as the slider moves (it stops at its ends).
void ApplyForm(RtcAutocorrection& dialog, const QJsonObject& form);

// plDeviceType, TrackBar1..TrackBar4 and l1..l4; null for a hidden channel.
QJsonObject ToForm(const TicksCorrection& dialog);
// TrackBar1..TrackBar4 of the visible channels, each stopping at the ends of its slider.
void ApplyForm(TicksCorrection& dialog, const QJsonObject& form);

// plDeviceType, plNScheme and every counter field as the field shows it ("----" for a disabled
// field), null for a hidden one.
QJsonObject ToForm(const CounterSetting& dialog);
// The editable fields, typed as into the masked edits: the characters at the digit places count.
void ApplyForm(CounterSetting& dialog, const QJsonObject& form);

}  // namespace vrx
