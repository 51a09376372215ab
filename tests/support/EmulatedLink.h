#pragma once

#include <memory>
#include <optional>

#include "link/Connection.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"
#include "sim/Rq7Unit.h"

namespace vrx::test {

// The tool's connection over a real pseudo-terminal with an emulated instrument on the other
// end: COM1 resolves to the emulator's slave device and is opened as the window opens it.
struct EmulatedLink : Connection {
  static constexpr int kReadTimeoutMs = 1500;

  explicit EmulatedLink(std::unique_ptr<sim::ByteProtocolInstrument> device,
                        uint32_t toolBaud = 4800,
                        std::optional<sim::InterfaceModuleConfig> module = std::nullopt)
      : emulator(std::move(device), module) {
    port.Naming().SetOverride(1, QString::fromStdString(emulator.SlavePath()));
    port.Open(1, toolBaud, kReadTimeoutMs);
  }
  // The tool lets go of the line before the emulator ends it.
  ~EmulatedLink() { port.Close(); }

  static std::unique_ptr<EmulatedLink> HeatCalculator(const sim::HeatCalculatorConfig& config,
                                                      uint32_t toolBaud = 4800) {
    return std::make_unique<EmulatedLink>(std::make_unique<sim::HeatCalculator>(config), toolBaud);
  }

  static std::unique_ptr<EmulatedLink> Rq7(const sim::Rq7UnitConfig& config = {}) {
    return std::make_unique<EmulatedLink>(std::make_unique<sim::Rq7Unit>(config));
  }

  // A heat calculator with an interface module on its line.
  static std::unique_ptr<EmulatedLink> WithModule(const sim::InterfaceModuleConfig& module = {},
                                                  const sim::HeatCalculatorConfig& config = {}) {
    return std::make_unique<EmulatedLink>(std::make_unique<sim::HeatCalculator>(config),
                                          config.baudRate, module);
  }

  sim::ByteProtocolInstrument& Device() { return emulator.Device(); }
  sim::InterfaceModule& Module() { return *emulator.Module(); }

  sim::EmulatedInstrument emulator;
};

}  // namespace vrx::test
