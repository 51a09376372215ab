#include "sim/EmulatedInstrument.h"

#include <stdexcept>

#include "sim/HeatCalculator.h"
#include "sim/Rq7Unit.h"

namespace vrx::sim {

std::unique_ptr<EmulatedInstrument> EmulatedInstrument::Start(
    std::string_view name, uint32_t baudRate, std::optional<InterfaceModuleConfig> module) {
  if (name == kRq7Name) {
    Rq7UnitConfig config;
    config.baudRate = baudRate;
    return std::make_unique<EmulatedInstrument>(std::make_unique<Rq7Unit>(config), module);
  }
  const int typeIndex = HeatCalculator::TypeIndexByName(name);
  if (typeIndex == 0)
    throw std::invalid_argument("unknown instrument type: " + std::string(name));
  HeatCalculatorConfig config;
  config.typeIndex = typeIndex;
  config.baudRate = baudRate;
  return std::make_unique<EmulatedInstrument>(std::make_unique<HeatCalculator>(config), module);
}

EmulatedInstrument::EmulatedInstrument(std::unique_ptr<ByteProtocolInstrument> instrument,
                                       std::optional<InterfaceModuleConfig> module)
    : instrument_(std::move(instrument)), line_(std::make_unique<PtyLine>(*instrument_)) {
  if (module) {
    module_ = std::make_unique<InterfaceModule>(instrument_.get(), *module);
    line_->Attach(*module_);
  }
  line_->Start();
}

}  // namespace vrx::sim
