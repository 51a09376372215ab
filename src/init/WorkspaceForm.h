#pragma once

#include <QJsonObject>

#include "init/InitWorkspace.h"
#include "model/Errors.h"

namespace vrx {

// The values of the tab "Инициализация VRX" as a form file, keyed by the form names of the
// controls: edits as their text, lists as the selected item's text (null when nothing is
// selected), check boxes as booleans, and `cdsChannels` and `cdsCircuits` as arrays of rows,
// each an object from field name to the text its cell shows ("----" included).
QJsonObject ToForm(const InitWorkspace& workspace);

// The error for a form value of the wrong JSON type or naming an item the list does not have.
EOwned BadFormValue(const QString& key);

// Applies a form through the tab's handlers and cell setters, as a user would, in the order of
// the tab: model, scheme, options, edits, then the cells of every row in column order. Keys the
// form lacks leave their control as it is. A cell is typed only where the grid lets the user
// edit it and where it shows another text; "----" cells and rows of channels or situations the
// table does not have are skipped, and a cell text that matches nothing is ignored as in the
// grid. A list item that the list does not have, or a value of the wrong JSON type, raises
// EOwned; a refused agreed value raises EValidation. What was applied before an error stays.
void ApplyForm(InitWorkspace& workspace, const QJsonObject& form);

}  // namespace vrx
