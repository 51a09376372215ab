#pragma once

#include <cstdint>
#include <vector>

namespace vrx::sim {

// What an instrument sends back after hearing one byte.
struct Reply {
  std::vector<uint8_t> bytes;
  // The bytes go out at another line speed than the one the instrument listens at, so a
  // receiver set to the instrument's speed cannot understand them.
  bool atOtherSpeed = false;
};

// An emulated instrument on a serial line. It knows nothing of the transport: the line feeds
// it the bytes it hears, one at a time, and sends whatever it answers. Implementations are
// thread-safe: the line runs in its own thread while tests arm faults and inspect state.
class Instrument {
 public:
  virtual ~Instrument() = default;
  virtual Reply OnByte(uint8_t byte) = 0;
  // The line speed the instrument listens and answers at.
  virtual uint32_t BaudRate() const = 0;
};

}  // namespace vrx::sim
