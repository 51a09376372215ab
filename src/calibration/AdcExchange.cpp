#include "calibration/AdcExchange.h"

#include <array>
#include <stdexcept>

namespace vrx {

bool AdcExchange::OldConvention() const {
  if (connection_.state.Family == nullptr) {
    throw std::logic_error("a calibration command before identification");
  }
  return connection_.state.Family->IsL1Family != 0;
}

uint16_t AdcExchange::ReadWord(uint8_t command) {
  const bool old = OldConvention();
  std::array<uint8_t, 2> reply{};
  connection_.link.DeviceExchange(command, {}, reply, !old, 2);
  return old ? static_cast<uint16_t>(reply[0] << 8 | reply[1])
             : static_cast<uint16_t>(reply[1] << 8 | reply[0]);
}

}  // namespace vrx
