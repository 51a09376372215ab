#pragma once

#include <array>
#include <cstdint>

namespace vrx {

// The frame buffer of the Modbus link, shared by requests and replies. After a transaction the
// reply's byte count N stands at offset 2 and its N data bytes from offset 3; callers read them
// from here.
struct ModbusBuffer {
  static constexpr int kSize = 256;
  static constexpr int kCountOffset = 2;
  static constexpr int kDataOffset = 3;
  std::array<uint8_t, kSize> bytes{};

  uint8_t* data() { return bytes.data(); }
  const uint8_t* data() const { return bytes.data(); }
  int ByteCount() const { return bytes[kCountOffset]; }
};

}  // namespace vrx
