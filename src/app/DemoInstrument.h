#pragma once

#include <QString>
#include <memory>

#include "session/RunContext.h"
#include "sim/DemoInstrument.h"

namespace vrx {

// Starts the instrument of the demo mode at the link speed the persisted settings select and
// maps the demo port (COM1) of the context to it (sim::StartDemoInstrument).
std::unique_ptr<sim::EmulatedInstrument> StartDemoInstrument(RunContext& context,
                                                             const QString& type);

}  // namespace vrx
