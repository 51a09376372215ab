#include "sim/DemoInstrument.h"

namespace vrx::sim {

std::unique_ptr<EmulatedInstrument> StartDemoInstrument(const QString& type, uint32_t baud,
                                                        PortNaming& naming, int portNumber) {
  auto instrument = EmulatedInstrument::Start(type.toStdString(), baud, InterfaceModuleConfig{});
  naming.SetOverride(portNumber, QString::fromStdString(instrument->SlavePath()));
  return instrument;
}

}  // namespace vrx::sim
