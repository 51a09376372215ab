#include "current/CurrentBlock.h"

#include <stdexcept>
#include <string>

#include "model/NumberHelpers.h"

namespace vrx {

CurrentBlock::CurrentBlock(const uint8_t* bytes, int length, const CurrentParamsLayout& layout)
    : bytes_(bytes), length_(length), layout_(layout) {}

uint8_t CurrentBlock::Byte(int position) const {
  if (position < 1 || position > length_) {
    throw std::logic_error("position " + std::to_string(position) +
                           " outside the current-parameters block of " + std::to_string(length_) +
                           " bytes");
  }
  return bytes_[position - 1];
}

uint8_t CurrentBlock::Field(CurrentField entry, int offset) const {
  return Byte(layout_[entry] + offset);
}

bool CurrentBlock::Bit(int position, int bit) const {
  return bit >= 0 && bit <= 7 && ((Byte(position) >> bit) & 1) != 0;
}

uint16_t CurrentBlock::WordLE(int position) const {
  return static_cast<uint16_t>(Byte(position) | (Byte(position + 1) << 8));
}

uint16_t CurrentBlock::WordBE(int position) const {
  return static_cast<uint16_t>((Byte(position) << 8) | Byte(position + 1));
}

uint32_t CurrentBlock::Value24(int position) const {
  return Byte(position) | (Byte(position + 1) << 8) |
         (static_cast<uint32_t>(Byte(position + 2)) << 16);
}

QString CurrentBlock::Bcd(int position, int digits) const {
  // Checks that the whole field lies inside the block before the digits are read.
  Byte(position);
  Byte(position + (digits + 1) / 2 - 1);
  return BcdToStr(&bytes_[position - 1], digits);
}

}  // namespace vrx
