#pragma once

#include "init/InitWorkspace.h"
#include "link/ConnectionState.h"
#include "link/DeviceLink.h"
#include "link/InstrumentBuffer.h"

namespace vrx {

// "Считать" on the tab "Инициализация VRX": identifies the connected instrument, selects its
// model, reads its settings image into the buffer and fills the controls and both tables from
// it through the tab's own handlers. Nothing is written to the instrument. Errors of the
// identification and the exchange propagate; what was filled before them stays.
//
// `state` and `buffer` are the ones the link works on, and `state` must be the workspace's.
void ReadIniParams(InitWorkspace& workspace, DeviceLink& link, ConnectionState& state,
                   InstrumentBuffer& buffer);

}  // namespace vrx
