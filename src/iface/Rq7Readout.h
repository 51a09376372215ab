#pragma once

#include "iface/Rq7Values.h"
#include "link/Connection.h"
#include "model/Messages.h"

namespace vrx {

// How the tool reaches the unit: the cable, the additional interface module (Modbus at the
// module's speed), the OPX adapter (woken first).
enum class Rq7Path { Cable, Interface, Opx };

// "Считать" of the tab "Текущие параметры RQ": reads the clock block and, when it names an RQ-7,
// the current-values block over the path, checks both checksums and fills the display. On the
// cable and OPX paths each block's reading ends with command 13, also when it failed. Every
// failure raises its message and ends the readout; fields already filled keep their new texts.
// The caller holds the read button's lockout around it.
void ReadRq7Values(Connection& connection, Rq7Path path, Messages& messages,
                   Rq7ValuesDisplay& display);

}  // namespace vrx
