// State files of the emulator (vrx-sim --state) of any content: the input is the file, loaded as
// vrx-sim loads it at start-up into a VRX-L13-2.2 with an interface module, and into an RQ-7.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "sim/ByteProtocolInstrument.h"
#include "sim/HeatCalculator.h"
#include "sim/InterfaceModule.h"
#include "sim/Rq7Unit.h"
#include "sim/StateFile.h"

namespace {

const QString& StatePath() {
  static const QString path =
      QDir::tempPath() +
      QStringLiteral("/vrx-fuzz-state-%1").arg(QCoreApplication::applicationPid());
  return path;
}

void Load(const char* typeName, vrx::sim::ByteProtocolInstrument& instrument,
          vrx::sim::InterfaceModule* module) {
  const vrx::sim::StateFile state(StatePath(), typeName);
  try {
    if (auto block = state.Load(static_cast<size_t>(instrument.SettingsLength())))
      instrument.SetImage(*block);
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
  {
    QFile file(StatePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
      return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  Load("VRX-L13-2.2", calculator, &module);
  Load("RQ-7", unit, nullptr);
  return 0;
}
