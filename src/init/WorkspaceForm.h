#pragma once

#include <QJsonObject>
#include <QStringList>

#include "init/InitWorkspace.h"

namespace vrx {

// The values of the tab "Инициализация VRX" as a form file, keyed by the form names of the
// controls: edits as their text, lists as the selected item's text (null when nothing is
// selected), check boxes as booleans, and `cdsChannels` and `cdsCircuits` as arrays of rows,
// each an object from field name to the text its cell shows ("----" included).
QJsonObject ToForm(const InitWorkspace& workspace);

// Applies a form through the tab's handlers and cell setters, as a user would, in the order of
// the tab: model, scheme, options, edits, then the cells of every row in column order. Keys the
// form lacks leave their control as it is, and so do cells reading "----" or the text the cell
// shows. Other cells are typed where the grid lets the user edit them; the others are skipped
// (whether a cell applies can depend on the firmware, which a form does not carry).
//
// Returns what the tab cannot use, each key skipped, the rest applied: a key that is no control
// of the tab, a value of the wrong JSON type, a list item the list does not have, a row of a
// channel or situation the table does not have ("cdsChannels[4]", the row's place in the form),
// a cell that is no column, a text for an editable cell outside its drop-down list, or no number
// where it has none ("cdsChannels[4].Dy"). A refused agreed value raises EValidation; what was
// applied before it stays.
[[nodiscard]] QStringList ApplyForm(InitWorkspace& workspace, const QJsonObject& form);

}  // namespace vrx
