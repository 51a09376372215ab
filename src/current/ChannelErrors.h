#pragma once

#include <QString>

#include "current/CurrentBlock.h"
#include "current/CurrentDisplay.h"

namespace vrx {

// The error cells `stErrors1` to `stErrors5` of the row "НС:": visibility and text, one line per
// error bit that is set, "Нет ошибок" when none is.
void FillErrorCells(const CurrentContext& context, CurrentDisplay& display);

// The instrument status line: one line per status bit that is set, "Нет ошибок" when none is.
QString StatusText(const CurrentContext& context);

}  // namespace vrx
