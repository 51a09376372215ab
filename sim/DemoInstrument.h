#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "link/PortNaming.h"
#include "sim/EmulatedInstrument.h"

namespace vrx::sim {

// The instrument of the demo mode, for the window and the companion alike: the emulated
// instrument `type` listening at `baud`, as a real one set up for the tool would, with an
// interface module at the module's default speed on the same line, and port `portNumber` of
// `naming` mapped to its pseudo-terminal. Throws std::invalid_argument for a name that is
// neither a catalogue type nor "RQ-7".
std::unique_ptr<EmulatedInstrument> StartDemoInstrument(const QString& type, uint32_t baud,
                                                        PortNaming& naming, int portNumber);

}  // namespace vrx::sim
