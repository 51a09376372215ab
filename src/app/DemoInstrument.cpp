#include "app/DemoInstrument.h"

#include "app/PortSettings.h"
#include "app/StartupOptions.h"

namespace vrx {

std::unique_ptr<sim::EmulatedInstrument> StartDemoInstrument(RunContext& context,
                                                             const QString& type) {
  PortSelection selection;
  context.WithSettings([&](QSettings& settings) { selection = LoadPortSelection(settings); });
  const uint32_t baud = ComSpeedItems().at(selection.speedIndex).toUInt();
  // The instrument carries an interface module at the module's default speed.
  auto instrument =
      sim::EmulatedInstrument::Start(type.toStdString(), baud, sim::InterfaceModuleConfig{});
  context.connection.port.Naming().SetOverride(StartupOptions::kDemoPortNumber,
                                               QString::fromStdString(instrument->SlavePath()));
  return instrument;
}

}  // namespace vrx
