#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sim/ByteProtocolInstrument.h"
#include "sim/InterfaceModule.h"
#include "sim/PtyLine.h"

namespace vrx::sim {

// An emulated instrument served on its own pseudo-terminal from a background thread: what the
// demo mode, the command-line companion and the end-to-end tests talk to.
class EmulatedInstrument {
 public:
  // The name of the RQ-7 unit among the catalogue's type names.
  static constexpr std::string_view kRq7Name = "RQ-7";

  // `name` is a catalogue type name (e.g. "VRX-L13-2.2") or "RQ-7". Throws std::invalid_argument
  // for any other name. With `module`, an interface module sits on the same line.
  static std::unique_ptr<EmulatedInstrument> Start(
      std::string_view name, uint32_t baudRate = 4800,
      std::optional<InterfaceModuleConfig> module = std::nullopt);
  // Serves an instrument made by the caller.
  explicit EmulatedInstrument(std::unique_ptr<ByteProtocolInstrument> instrument,
                              std::optional<InterfaceModuleConfig> module = std::nullopt);

  ByteProtocolInstrument& Device() { return *instrument_; }
  // The interface module on the line, or nullptr.
  InterfaceModule* Module() { return module_.get(); }
  PtyLine& Line() { return *line_; }
  const std::string& SlavePath() const { return line_->SlavePath(); }

 private:
  std::unique_ptr<ByteProtocolInstrument> instrument_;
  std::unique_ptr<InterfaceModule> module_;
  // Declared after the devices: the line's thread stops before they go.
  std::unique_ptr<PtyLine> line_;
};

}  // namespace vrx::sim
