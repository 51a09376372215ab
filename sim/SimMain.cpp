// vrx-sim: serves one emulated instrument on a pseudo-terminal until stopped.
//   vrx-sim --help
//   vrx-sim [--type NAME] [--type-byte N] [--version-byte N] [--sub-version-byte N] [--baud B]
//           [--state FILE] [--iface [--iface-baud B]] [--supply N] [--current FILE]
//           [--ref-ohms CHANNEL=OHMS]... [--loop-ma CHANNEL=MA]...
// NAME is a catalogue type name such as "VRX-L13-2.2", or "RQ-7". Numbers may be given in
// decimal or as 0x.. hex. The slave path is printed on the first line of standard output.
// With --state the settings block is loaded from FILE when it exists and saved to it after every
// block write the instrument takes, so the instrument keeps its memory between runs.
// With --iface an interface module (Modbus RTU at address 0) sits on the same line at its own
// speed, 38400 baud unless --iface-baud says 4800, 9600 or 19200; --state keeps its registers
// with the instrument's block.
// --supply sets what command 3 reports: the 16-bit reading of a VRX-L3, VRX-L5 or VRX-L13, the
// low byte (0 normal) of a VRX-L2 or VRX-L12.
// With --current the heat calculator answers command 8 with the block of FILE (the line
// "vrx-sim current", then the block with its checksum as hex) instead of its running values.

#include <QString>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/HeatCalculator.h"
#include "sim/InterfaceModule.h"
#include "sim/PtyLine.h"
#include "sim/Rq7Unit.h"
#include "sim/StateFile.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) {
  g_stop = true;
}

const char* const kSynopsis =
    "usage: vrx-sim [--type NAME|RQ-7] [--type-byte N] [--version-byte N] "
    "[--sub-version-byte N] [--baud 4800|9600] [--state FILE] "
    "[--iface [--iface-baud 4800|9600|19200|38400]] [--supply N] [--current FILE]\n"
    "               [--ref-ohms CHANNEL=OHMS]... [--loop-ma CHANNEL=MA]...\n";

// A wrong command line: what is wrong, then the synopsis.
int Usage(const std::string& problem) {
  std::fprintf(stderr, "vrx-sim: %s\n", problem.c_str());
  std::fputs(kSynopsis, stderr);
  return 2;
}

// The option and the value it does not take.
int BadValue(const std::string& option, const char* value, const char* expected) {
  return Usage(option + " expects " + expected + ", not \"" + value + "\"");
}

int Help() {
  std::fputs(kSynopsis, stdout);
  std::fputs(
      "Serves one emulated instrument on a pseudo-terminal until stopped (Ctrl+C); the slave\n"
      "device is printed on the first line, for `vrxctl --port PATH`.\n"
      "options:\n"
      "  --type NAME             a catalogue type such as VRX-L13-2.2 (default), or RQ-7\n"
      "  --type-byte N           the type byte the instrument reports (decimal or 0x..)\n"
      "  --version-byte N        the version byte it reports\n"
      "  --sub-version-byte N    the sub-version byte it reports\n"
      "  --baud B                the instrument's link speed, 4800 (default) or 9600\n"
      "  --state FILE            keep the settings block in FILE between runs\n"
      "  --iface                 an interface module (Modbus RTU, address 0) on the same line\n"
      "  --iface-baud B          its speed: 4800, 9600, 19200 or 38400 (default)\n"
      "  --supply N              the supply reading command 3 reports (default 0xE400)\n"
      "  --current FILE          answer command 8 with the fixed block of FILE\n"
      "  --ref-ohms K=OHMS       the resistance on thermometer input K (default 100)\n"
      "  --loop-ma K=MA          the current in pressure loop K, in mA (default 20)\n"
      "  --help                  print this text and exit\n"
      "A state or values file is refused when it is no regular file or larger than 1 MB.\n"
      "exit codes: 0 stopped; 1 a state or values file refused; 2 a wrong command line (the\n"
      "option and its value named) or an unknown type.\n",
      stdout);
  return 0;
}

std::optional<unsigned long> Number(const char* text, unsigned long max) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 0);
  if (end == text || *end != '\0' || value > max)
    return std::nullopt;
  return value;
}

// "K=VALUE" of --ref-ohms and --loop-ma: a channel 1..limit and a value not below 0.
std::optional<std::pair<int, double>> ChannelValue(const char* text, int limit) {
  char* end = nullptr;
  const long channel = std::strtol(text, &end, 10);
  if (end == text || *end != '=' || channel < 1 || channel > limit)
    return std::nullopt;
  const char* valueText = end + 1;
  const double value = std::strtod(valueText, &end);
  if (end == valueText || *end != '\0' || !(value >= 0))
    return std::nullopt;
  return std::pair<int, double>(static_cast<int>(channel), value);
}

}  // namespace

int main(int argc, char** argv) {
  std::string type = "VRX-L13-2.2";
  std::optional<std::string> statePath;
  std::optional<std::string> currentPath;
  vrx::sim::HeatCalculatorConfig config;
  std::optional<vrx::sim::InterfaceModuleConfig> module;
  uint32_t moduleBaud = vrx::sim::InterfaceModuleConfig().baudRate;
  std::vector<std::pair<int, double>> refOhms;
  std::vector<std::pair<int, double>> loopMa;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--help")
      return Help();
    if (option == "--iface") {
      module.emplace();
      continue;
    }
    const char* const valueOptions[] = {
        "--type",  "--state",      "--current",   "--ref-ohms",     "--loop-ma",
        "--baud",  "--iface-baud", "--type-byte", "--version-byte", "--sub-version-byte",
        "--supply"};
    if (std::find(std::begin(valueOptions), std::end(valueOptions), option) ==
        std::end(valueOptions))
      return Usage("unknown option " + option);
    if (i + 1 >= argc)
      return Usage(option + " needs a value");
    const char* value = argv[++i];
    if (option == "--type") {
      type = value;
      continue;
    }
    if (option == "--state") {
      statePath = value;
      continue;
    }
    if (option == "--current") {
      currentPath = value;
      continue;
    }
    if (option == "--ref-ohms" || option == "--loop-ma") {
      const bool ohms = option == "--ref-ohms";
      const auto pair = ChannelValue(value, ohms ? 5 : 4);
      if (!pair)
        return BadValue(option, value, ohms ? "K=OHMS, K from 1 to 5" : "K=MA, K from 1 to 4");
      (option == "--ref-ohms" ? refOhms : loopMa).push_back(*pair);
      continue;
    }
    const bool link = option == "--baud";
    const bool speed = link || option == "--iface-baud";
    const auto number = Number(value, speed ? 115200 : option == "--supply" ? 0xFFFF : 255);
    const bool speedKnown = number && (*number == 4800 || *number == 9600 ||
                                       (!link && (*number == 19200 || *number == 38400)));
    if (!number || (speed && !speedKnown)) {
      return BadValue(option, value,
                      link                   ? "4800 or 9600"
                      : speed                ? "4800, 9600, 19200 or 38400"
                      : option == "--supply" ? "a number from 0 to 0xFFFF"
                                             : "a number from 0 to 255");
    }
    if (option == "--type-byte") {
      config.typeByte = static_cast<uint8_t>(*number);
    } else if (option == "--version-byte") {
      config.versionByte = static_cast<uint8_t>(*number);
    } else if (option == "--sub-version-byte") {
      config.subVersionByte = static_cast<uint8_t>(*number);
    } else if (option == "--supply") {
      config.supply = static_cast<uint16_t>(*number);
    } else if (option == "--baud") {
      config.baudRate = static_cast<uint32_t>(*number);
    } else {
      moduleBaud = static_cast<uint32_t>(*number);
    }
  }

  std::unique_ptr<vrx::sim::ByteProtocolInstrument> instrument;
  if (type == "RQ-7") {
    vrx::sim::Rq7UnitConfig unit;
    unit.subVersionByte = config.subVersionByte;
    unit.baudRate = config.baudRate;
    instrument = std::make_unique<vrx::sim::Rq7Unit>(unit);
  } else {
    config.typeIndex = vrx::sim::HeatCalculator::TypeIndexByName(type);
    if (config.typeIndex == 0) {
      std::fprintf(stderr, "vrx-sim: unknown type %s\n", type.c_str());
      return 2;
    }
    auto calculator = std::make_unique<vrx::sim::HeatCalculator>(config);
    if (currentPath) {
      try {
        auto block = vrx::sim::CurrentValues::LoadBlockFile(QString::fromLocal8Bit(*currentPath));
        calculator->WithCurrentValues(
            [&](vrx::sim::CurrentValues& values) { values.ServeFixedBlock(std::move(block)); });
      } catch (const std::exception& e) {
        std::fprintf(stderr, "vrx-sim: %s\n", e.what());
        return 1;
      }
    }
    calculator->WithCalibration([&](vrx::sim::CalibrationChannels& channels) {
      for (const auto& [channel, ohms] : refOhms)
        channels.SetRefOhms(channel, ohms);
      for (const auto& [channel, ma] : loopMa)
        channels.SetLoopMa(channel, ma);
    });
    instrument = std::move(calculator);
  }

  std::unique_ptr<vrx::sim::InterfaceModule> interfaceModule;
  if (module) {
    module->baudRate = moduleBaud;
    interfaceModule = std::make_unique<vrx::sim::InterfaceModule>(instrument.get(), *module);
  }

  std::optional<vrx::sim::StateFile> state;
  // What the state file holds; both observers run on the line's thread, the lock only guards
  // against a change of that.
  std::mutex stateMutex;
  std::vector<uint8_t> savedBlock = instrument->Image();
  std::vector<uint8_t> savedModule;
  // Runs on the line's thread after a write; a failed save is reported and the instrument goes
  // on serving.
  auto save = [&] {
    try {
      state->Save(savedBlock, savedModule);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "vrx-sim: %s\n", e.what());
    }
  };
  if (statePath) {
    state.emplace(QString::fromLocal8Bit(*statePath), type);
    try {
      if (auto block = state->Load(static_cast<size_t>(instrument->SettingsLength()))) {
        instrument->RestoreImage(*block);
        savedBlock = std::move(*block);
      }
      if (interfaceModule) {
        vrx::sim::InterfaceModule::Registers registers = interfaceModule->RegisterBlock();
        if (auto saved = state->LoadModule(registers.size())) {
          std::copy(saved->begin(), saved->end(), registers.begin());
          interfaceModule->SetRegisterBlock(registers);
        }
        savedModule.assign(registers.begin(), registers.end());
      }
    } catch (const std::exception& e) {
      std::fprintf(stderr, "vrx-sim: %s\n", e.what());
      return 1;
    }
    instrument->SetWriteObserver([&](const vrx::sim::BlockWrite& write) {
      std::scoped_lock lock(stateMutex);
      savedBlock = write.data;
      save();
    });
    if (interfaceModule) {
      interfaceModule->SetWriteObserver([&](const vrx::sim::InterfaceModule::Registers& r) {
        std::scoped_lock lock(stateMutex);
        savedModule.assign(r.begin(), r.end());
        save();
      });
    }
  }

  vrx::sim::PtyLine line(*instrument);
  if (interfaceModule)
    line.Attach(*interfaceModule);
  std::printf("%s\n", line.SlavePath().c_str());
  std::fflush(stdout);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  line.Serve(g_stop);
  return 0;
}
