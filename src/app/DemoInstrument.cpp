#include "app/DemoInstrument.h"

#include "app/PortSettings.h"
#include "app/StartupOptions.h"

namespace vrx {

std::unique_ptr<sim::EmulatedInstrument> StartDemoInstrument(RunContext& context,
                                                             const QString& type) {
  PortSelection selection;
  context.WithSettings([&](QSettings& settings) { selection = LoadPortSelection(settings); });
  const uint32_t baud = ComSpeedItems().at(selection.speedIndex).toUInt();
  return sim::StartDemoInstrument(type, baud, context.connection.port.Naming(),
                                  StartupOptions::kDemoPortNumber);
}

}  // namespace vrx
