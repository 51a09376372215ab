// State files of the emulator (vrx-sim --state) of any content: the input is the file, loaded as
// vrx-sim loads it at start-up into a VRX-L13-2.2 with an interface module, and into an RQ-7.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "fuzz/InputFile.h"
#include "sim/ByteProtocolInstrument.h"
#include "sim/HeatCalculator.h"
#include "sim/InterfaceModule.h"
#include "sim/Rq7Unit.h"
#include "sim/StateFile.h"

namespace {

void Load(const QString& path, const char* typeName, vrx::sim::ByteProtocolInstrument& instrument,
          vrx::sim::InterfaceModule* module) {
  const vrx::sim::StateFile state(path, typeName);
  try {
    if (auto block = state.Load(static_cast<size_t>(instrument.SettingsLength())))
      instrument.RestoreImage(*block);
    if (module == nullptr)
      return;
    vrx::sim::InterfaceModule::Registers registers = module->RegisterBlock();
    if (auto saved = state.LoadModule(registers.size())) {
      std::copy(saved->begin(), saved->end(), registers.begin());
      module->SetRegisterBlock(registers);
    }
  } catch (const std::runtime_error&) {
    // Refused, naming the file: the emulator does not start.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static vrx::sim::HeatCalculator calculator(
      {.typeIndex = vrx::sim::HeatCalculator::TypeIndexByName("VRX-L13-2.2")});
  static vrx::sim::InterfaceModule module(&calculator);
  static vrx::sim::Rq7Unit unit;
  const QString path = vrx::fuzz::WriteInputFile("state", data, size);
  if (path.isEmpty())
    return 0;
  Load(path, "VRX-L13-2.2", calculator, &module);
  Load(path, "RQ-7", unit, nullptr);
  return 0;
}
