#pragma once

#include <cstdint>

#include "link/Connection.h"

namespace vrx {

// The calibration commands answer a 16-bit word. A VRX-L1 sends it without an echo, high byte
// first; every later model echoes the command and sends the low byte first.
class AdcExchange {
 public:
  explicit AdcExchange(Connection& connection) : connection_(connection) {}

  uint16_t ReadWord(uint8_t command);
  // Whether the identified instrument follows the VRX-L1 convention.
  bool OldConvention() const;

 private:
  Connection& connection_;
};

}  // namespace vrx
