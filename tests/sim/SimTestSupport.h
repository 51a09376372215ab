#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

#include "sim/Instrument.h"

namespace vrx::sim::test {

using Bytes = std::vector<uint8_t>;

inline Bytes Hex(const char* hex) {
  const QByteArray bytes = QByteArray::fromHex(hex);
  return {bytes.begin(), bytes.end()};
}

inline Bytes Concat(Bytes head, const Bytes& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// Feeds the bytes one at a time and collects every reply.
inline std::vector<Reply> Feed(Instrument& instrument, const Bytes& bytes) {
  std::vector<Reply> replies;
  for (uint8_t byte : bytes) {
    replies.push_back(instrument.OnByte(byte));
  }
  return replies;
}

inline Bytes Joined(const std::vector<Reply>& replies) {
  Bytes bytes;
  for (const Reply& reply : replies) {
    bytes = Concat(bytes, reply.bytes);
  }
  return bytes;
}

// A block of distinct bytes (up to 256 of them).
inline Bytes Pattern(int length, uint8_t seed) {
  Bytes bytes;
  for (int i = 0; i < length; ++i) {
    bytes.push_back(static_cast<uint8_t>(seed + 3 * i + 1));
  }
  return bytes;
}

}  // namespace vrx::sim::test
