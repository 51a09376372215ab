#pragma once

#include <QString>
#include <memory>

#include "session/RunContext.h"
#include "sim/EmulatedInstrument.h"

namespace vrx {

// Starts the emulated instrument of the demo mode on a pseudo-terminal and maps the demo port
// (COM1) of the context to it. The instrument listens at the link speed the persisted settings
// select, as a real one set up for this tool would, and carries an interface module at 38400
// baud. Throws std::invalid_argument for a name that
// is neither a catalogue type nor "RQ-7".
std::unique_ptr<sim::EmulatedInstrument> StartDemoInstrument(RunContext& context,
                                                             const QString& type);

}  // namespace vrx
