#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sim/ByteProtocolInstrument.h"
#include "sim/PtyLine.h"

namespace vrx::sim {

// An emulated instrument served on its own pseudo-terminal from a background thread: what the
// demo mode, the command-line companion and the end-to-end tests talk to.
class EmulatedInstrument {
 public:
  // The name of the RQ-7 unit among the catalogue's type names.
  static constexpr std::string_view kRq7Name = "RQ-7";

  // `name` is a catalogue type name (e.g. "VRX-L13-2.2") or "RQ-7". Throws std::invalid_argument
  // for any other name.
  static std::unique_ptr<EmulatedInstrument> Start(std::string_view name, uint32_t baudRate = 4800);
  // Serves an instrument made by the caller.
  explicit EmulatedInstrument(std::unique_ptr<ByteProtocolInstrument> instrument);

  ByteProtocolInstrument& Device() { return *instrument_; }
  PtyLine& Line() { return *line_; }
  const std::string& SlavePath() const { return line_->SlavePath(); }

 private:
  std::unique_ptr<ByteProtocolInstrument> instrument_;
  // Declared after the instrument: the line's thread stops before the instrument goes.
  std::unique_ptr<PtyLine> line_;
};

}  // namespace vrx::sim
