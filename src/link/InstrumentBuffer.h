#pragma once

#include <array>
#include <cstdint>

namespace vrx {

// The one buffer that holds, in turn, the settings image, the current-parameters block and
// the RQ-7 unit's block: whatever was read last.
struct InstrumentBuffer {
  static constexpr int kSize = 128;
  std::array<uint8_t, kSize> bytes{};

  uint8_t* data() { return bytes.data(); }
  const uint8_t* data() const { return bytes.data(); }
};

}  // namespace vrx
