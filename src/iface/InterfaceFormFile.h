#pragma once

#include <QJsonObject>

#include "iface/InterfaceSettings.h"

namespace vrx {

// The tab "Доп. интерфейс" as a JSON object keyed by the controls' form names: the edits as the
// texts they show, cbAutoSleep and cbModemEnable as booleans, cbRSSpeed as its item text.
QJsonObject ToForm(const InterfaceForm& form);

// Applies a form as typed into the tab: an edit keeps as many characters as it takes, a speed
// goes through the cbRSSpeed change; VersionEdit and IspEdit only display and are skipped, as are
// keys the form lacks. A value of the wrong JSON type or a speed the list does not have raises
// EOwned; what was applied before it stays.
void ApplyForm(InterfaceSettings& tab, const QJsonObject& form);

}  // namespace vrx
