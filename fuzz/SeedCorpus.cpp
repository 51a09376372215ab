// vrx-fuzz-seeds DIR: writes the seed corpus of every fuzz target into DIR/<target>/, taken from
// the emulator: what a sound instrument hands out, so that fuzzing starts from valid inputs.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "current/CurrentDisplay.h"
#include "current/CurrentReadout.h"
#include "fuzz/FuzzInputs.h"
#include "fuzz/FuzzLine.h"
#include "iface/InterfaceFormFile.h"
#include "iface/InterfaceSettings.h"
#include "init/InitWorkspace.h"
#include "init/WorkspaceForm.h"
#include "model/Catalogue.h"
#include "model/FormFile.h"
#include "model/Messages.h"
#include "rq7/Rq7Form.h"
#include "rq7/Rq7Readout.h"
#include "sim/HeatCalculator.h"
#include "sim/InterfaceModule.h"
#include "sim/Rq7Unit.h"
#include "sim/StateFile.h"

namespace {

using Bytes = std::vector<uint8_t>;
using vrx::sim::HeatCalculator;

class SeedWriter {
 public:
  SeedWriter(const QString& root, const QString& target) : dir_(root + '/' + target) {
    QDir().mkpath(dir_);
  }

  void Add(const QByteArray& bytes) {
    QFile file(dir_ + QStringLiteral("/seed-%1").arg(next_++));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
      throw std::runtime_error("cannot write " + file.fileName().toStdString());
  }
  void Add(const Bytes& bytes) {
    Add(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<qsizetype>(bytes.size())));
  }
  void Add(const QJsonObject& form) { Add(vrx::FormFileText(form)); }
  const QString& Dir() const { return dir_; }

 private:
  QString dir_;
  int next_ = 0;
};

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The heat calculators of every type (every layout).
std::vector<std::unique_ptr<HeatCalculator>> Calculators() {
  std::vector<std::unique_ptr<HeatCalculator>> all;
  for (int index = 1; index <= static_cast<int>(vrx::DeviceTypes().size()); ++index)
    all.push_back(
        std::make_unique<HeatCalculator>(vrx::sim::HeatCalculatorConfig{.typeIndex = index}));
  return all;
}

// Runs an action of the tool against the instrument in-process and returns what the line
// brought back, behind the action byte.
Bytes ModbusRun(vrx::fuzz::ModbusAction action, vrx::sim::Instrument& module,
                const std::function<void(vrx::Connection&)>& run) {
  auto owned = std::make_unique<vrx::fuzz::InstrumentLine>(module);
  vrx::fuzz::InstrumentLine& line = *owned;
  vrx::fuzz::LineConnection connection(std::move(owned));
  run(connection.connection);
  return Concat({static_cast<uint8_t>(action)}, line.Delivered());
}

void WriteSeeds(const QString& root) {
  const auto calculators = Calculators();
  vrx::sim::Rq7Unit unit;

  SeedWriter image(root, "settings-image");
  for (const auto& calculator : calculators) {
    image.Add(
        Concat({static_cast<uint8_t>(calculator->TypeIndex() - 1), 0x12}, calculator->Image()));
  }

  SeedWriter current(root, "current-blocks");
  for (const auto& calculator : calculators)
    current.Add(Concat(calculator->Forward(0x50), calculator->Forward(0x51)));

  SeedWriter rq7(root, "rq7-blocks");
  rq7.Add(unit.Image());
  rq7.Add(unit.ClockBlock());
  rq7.Add(unit.ValuesBlock());

  SeedWriter modbus(root, "modbus-replies");
  HeatCalculator& l13 = *calculators.back();
  vrx::sim::InterfaceModule module(&l13);
  vrx::sim::InterfaceModule unitModule(&unit);
  vrx::RecordingMessages messages;
  auto tab = [](vrx::Connection& c, bool write) {
    vrx::InterfaceSettings settings(c.modbus, c.modbusBuffer);
    write ? settings.Write() : settings.Read();
  };
  modbus.Add(ModbusRun(vrx::fuzz::kReadInterfaceSettings, module,
                       [&](vrx::Connection& c) { tab(c, false); }));
  modbus.Add(ModbusRun(vrx::fuzz::kWriteInterfaceSettings, module,
                       [&](vrx::Connection& c) { tab(c, true); }));
  modbus.Add(ModbusRun(vrx::fuzz::kReadCurrentParams, module, [&](vrx::Connection& c) {
    vrx::CurrentDisplay display;
    vrx::ReadCurrentParams(c, vrx::CurrentPath::Interface, messages, display);
  }));
  modbus.Add(ModbusRun(vrx::fuzz::kReadRq7Values, unitModule, [&](vrx::Connection& c) {
    vrx::Rq7ValuesDisplay display;
    vrx::ReadRq7Values(c, vrx::CurrentPath::Interface, messages, display);
  }));

  SeedWriter forms(root, "form-files");
  vrx::ConnectionState state;
  vrx::InitWorkspace workspace(state);
  workspace.Start();
  forms.Add(vrx::ToForm(workspace));
  forms.Add(vrx::ToForm(vrx::InterfaceForm{}));
  forms.Add(vrx::Rq7FormToJson(vrx::DefaultRq7Form()));

  SeedWriter states(root, "state-files");
  const auto registers = vrx::sim::InterfaceModule::DefaultRegisters();
  vrx::sim::StateFile(states.Dir() + "/seed-0", "VRX-L13-2.2")
      .Save(l13.Image(), Bytes(registers.begin(), registers.end()));
  vrx::sim::StateFile(states.Dir() + "/seed-1", "RQ-7").Save(unit.Image());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: vrx-fuzz-seeds DIR\n");
    return 2;
  }
  try {
    WriteSeeds(QString::fromLocal8Bit(argv[1]));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vrx-fuzz-seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
