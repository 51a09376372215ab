#pragma once

#include "current/CurrentPath.h"
#include "link/Connection.h"
#include "model/Messages.h"
#include "rq7/Rq7Values.h"

namespace vrx {

// "Считать" of the tab "Текущие параметры RQ": reads the clock block and, when it names an RQ-7,
// the current-values block over the path, checks both checksums and fills the display. On the
// cable and OPX paths each block's reading ends with command 13, also when it failed. Every
// failure raises its message and ends the readout; fields already filled keep their new texts.
// The caller holds the read button's lockout around it.
void ReadRq7Values(Connection& connection, CurrentPath path, Messages& messages,
                   Rq7ValuesDisplay& display);

}  // namespace vrx
