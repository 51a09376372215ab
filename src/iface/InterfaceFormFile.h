#pragma once

#include <QJsonObject>
#include <QStringList>

#include "iface/InterfaceSettings.h"

namespace vrx {

// The tab "Доп. интерфейс" as a JSON object keyed by the controls' form names: the edits as the
// texts they show, cbAutoSleep and cbModemEnable as booleans, cbRSSpeed as its item text.
QJsonObject ToForm(const InterfaceForm& form);

// Applies a form as typed into the tab: an edit keeps as many characters as it takes, a speed
// goes through the cbRSSpeed change; VersionEdit and IspEdit only display and are skipped, as are
// keys the form lacks. Returns what the tab cannot use, nothing applied then: a key that is no
// control of the tab, a value of the wrong JSON type, a speed the list does not have.
[[nodiscard]] QStringList ApplyForm(InterfaceSettings& tab, const QJsonObject& form);

}  // namespace vrx
