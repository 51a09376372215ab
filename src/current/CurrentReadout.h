#pragma once

#include "current/CurrentDisplay.h"
#include "current/CurrentPath.h"
#include "link/Connection.h"
#include "model/Messages.h"

namespace vrx {

// Reads the clock block and the current-parameters block over the path, checks both checksums
// and fills the display from them (the buffer holds the current-parameters block afterwards).
// Every failure raises its message; what was shown before it stays, the value panel hidden.
void ReadCurrentParams(Connection& connection, CurrentPath path, Messages& messages,
                       CurrentDisplay& display);

}  // namespace vrx
