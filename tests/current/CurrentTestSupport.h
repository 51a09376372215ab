#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <vector>

#include "current/CurrentDecoder.h"
#include "current/CurrentDisplay.h"
#include "link/ConnectionState.h"
#include "model/NumberHelpers.h"

namespace vrx::test {

// A block written byte by byte at 1-based positions, sealed with its checksum.
class HandBlock {
 public:
  explicit HandBlock(int dataLength) : bytes_(static_cast<size_t>(dataLength) + 2, 0) {}
  HandBlock& At(int position, std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes)
      bytes_.at(static_cast<size_t>(position++ - 1)) = b;
    return *this;
  }
  // Digits most significant first, stored least significant byte first.
  HandBlock& Bcd(int position, const char* digits) {
    std::vector<uint8_t> packed((QString::fromLatin1(digits).size() + 1) / 2);
    StrToBcd(QString::fromLatin1(digits), packed.data());
    for (uint8_t b : packed)
      bytes_.at(static_cast<size_t>(position++ - 1)) = b;
    return *this;
  }
  std::vector<uint8_t> Sealed() const {
    std::vector<uint8_t> block = bytes_;
    uint16_t sum = 0;
    for (size_t i = 0; i + 2 < block.size(); ++i)
      sum = static_cast<uint16_t>(sum + block[i]);
    block[block.size() - 2] = static_cast<uint8_t>(sum >> 8);
    block[block.size() - 1] = static_cast<uint8_t>(sum);
    return block;
  }

 private:
  std::vector<uint8_t> bytes_;
};

// The block with some bytes replaced and the checksum made again.
inline std::vector<uint8_t> Patched(std::vector<uint8_t> block,
                                    std::initializer_list<std::pair<int, uint8_t>> bytes) {
  HandBlock patched(static_cast<int>(block.size()) - 2);
  for (size_t i = 0; i + 2 < block.size(); ++i)
    patched.At(static_cast<int>(i) + 1, {block[i]});
  for (const auto& [position, value] : bytes)
    patched.At(position, {value});
  return patched.Sealed();
}

// The clock block of 25.03.04 13:33, last initialized 15.03.24 14:30.
inline std::vector<uint8_t> ClockBlock(uint8_t typeByte) {
  HandBlock clock(11);
  clock.At(1, {0x33, 0x13, 0x25, 0x03, 0x04, 0x30, 0x14, 0x15, 0x03, 0x24, typeByte});
  return clock.Sealed();
}

// The lines of an error cell or the status, each ended with "\r\n".
inline QString Lines(const QStringList& lines) {
  QString text;
  for (const QString& line : lines)
    text += line + QStringLiteral("\r\n");
  return text;
}

// The display after the readout decoded the two blocks.
inline CurrentDisplay Decode(uint8_t typeByte, const std::vector<uint8_t>& block,
                             ConnectionState* state = nullptr) {
  ConnectionState own;
  CurrentDisplay display;
  const std::vector<uint8_t> clock = ClockBlock(typeByte);
  ShowClocks(clock.data(), display);
  const BlockFamily family = FamilyOfClockBlock(clock.data());
  DecodeCurrentBlock(block.data(), family, state != nullptr ? *state : own, display);
  return display;
}

// The controls a readout may show or hide or change: all but the fixed row and column captions.
inline QStringList VariableControls() {
  QStringList names;
  for (const QString& name : CurrentDisplay::Names()) {
    static const QStringList fixed = {"lbG",      "lbtp",    "lbP",        "lbT",
                                      "lbErrors", "lbTicks", "lbChannel1", "lbChannel2"};
    if (!fixed.contains(name))
      names << name;
  }
  return names;
}

}  // namespace vrx::test
