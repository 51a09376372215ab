// vrx-sim: serves one emulated instrument on a pseudo-terminal until stopped.
//   vrx-sim [--type NAME] [--type-byte N] [--version-byte N] [--sub-version-byte N] [--baud B]
//           [--state FILE]
// NAME is a catalogue type name such as "VRX-L13-2.2", or "RQ-7". Numbers may be given in
// decimal or as 0x.. hex. The slave path is printed on the first line of standard output.
// With --state the settings block is loaded from FILE when it exists and saved to it after every
// block write the instrument takes, so the instrument keeps its memory between runs.

#include <QString>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "sim/HeatCalculator.h"
#include "sim/PtyLine.h"
#include "sim/Rq7Unit.h"
#include "sim/StateFile.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) {
  g_stop = true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: vrx-sim [--type NAME|RQ-7] [--type-byte N] [--version-byte N] "
               "[--sub-version-byte N] [--baud 4800|9600] [--state FILE]\n");
  return 2;
}

std::optional<unsigned long> Number(const char* text, unsigned long max) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 0);
  if (end == text || *end != '\0' || value > max)
    return std::nullopt;
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  std::string type = "VRX-L13-2.2";
  std::optional<std::string> statePath;
  vrx::sim::HeatCalculatorConfig config;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc)
      return Usage();
    const char* value = argv[++i];
    if (option == "--type") {
      type = value;
      continue;
    }
    if (option == "--state") {
      statePath = value;
      continue;
    }
    const auto number = Number(value, option == "--baud" ? 115200 : 255);
    if (!number)
      return Usage();
    if (option == "--type-byte") {
      config.typeByte = static_cast<uint8_t>(*number);
    } else if (option == "--version-byte") {
      config.versionByte = static_cast<uint8_t>(*number);
    } else if (option == "--sub-version-byte") {
      config.subVersionByte = static_cast<uint8_t>(*number);
    } else if (option == "--baud" && (*number == 4800 || *number == 9600)) {
      config.baudRate = static_cast<uint32_t>(*number);
    } else {
      return Usage();
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
    instrument = std::make_unique<vrx::sim::HeatCalculator>(config);
  }

  std::optional<vrx::sim::StateFile> state;
  if (statePath) {
    state.emplace(QString::fromLocal8Bit(*statePath), type);
    try {
      if (auto block = state->Load(static_cast<size_t>(instrument->SettingsLength()))) {
        instrument->SetImage(std::move(*block));
      }
    } catch (const std::exception& e) {
      std::fprintf(stderr, "vrx-sim: %s\n", e.what());
      return 1;
    }
    // Runs on the line thread; a failed save is reported and the instrument goes on serving.
    instrument->SetWriteObserver([&state](const vrx::sim::BlockWrite& write) {
      try {
        state->Save(write.data);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "vrx-sim: %s\n", e.what());
      }
    });
  }

  vrx::sim::PtyLine line(*instrument);
  std::printf("%s\n", line.SlavePath().c_str());
  std::fflush(stdout);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  line.Serve(g_stop);
  return 0;
}
