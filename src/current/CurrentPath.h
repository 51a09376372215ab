#pragma once

namespace vrx {

// How the tool reaches the instrument or the RQ-7 unit: the cable, the additional interface
// module (Modbus at the module's speed), the OPX adapter (woken first). Chosen by the radio
// buttons `rbCable`, `rbRS`, `rbOPX` of the tab "Текущие параметры", for both readouts.
enum class CurrentPath { Cable, Interface, Opx };

}  // namespace vrx
