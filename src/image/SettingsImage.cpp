#include "image/SettingsImage.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace vrx {

namespace {

void CheckBit(int bit, int width) {
  if (bit < 0 || bit + width > 8) {
    throw std::out_of_range("bit " + std::to_string(bit) + " of an image byte");
  }
}

}  // namespace

ImageModel ModelOf(const TDeviceRecord& type) {
  switch (type.Code) {
    case 0:
    case 1:
    case 2:
    case 3:
      return ImageModel::L1;
    case 4:
      return ImageModel::L2;
    case 7:
      return ImageModel::L13;
    case 8:
      return ImageModel::L12;
    default:
      return type.IsL5 ? ImageModel::L5 : ImageModel::L3;
  }
}

SettingsImage::SettingsImage(InstrumentBuffer& buffer, const ConnectionState& state)
    : buffer_(buffer), state_(state) {}

uint8_t& SettingsImage::At(int position, int width) {
  if (position < 1 || position + width - 1 > InstrumentBuffer::kSize) {
    throw std::out_of_range("image position " + std::to_string(position));
  }
  return buffer_.bytes[position - 1];
}

const uint8_t& SettingsImage::At(int position, int width) const {
  return const_cast<SettingsImage*>(this)->At(position, width);
}

uint8_t SettingsImage::Byte(int position) const {
  return At(position);
}

void SettingsImage::SetByte(int position, uint8_t value) {
  At(position) = value;
}

bool SettingsImage::GetBit(int position, int bit) const {
  CheckBit(bit, 1);
  return ((At(position) >> bit) & 1) != 0;
}

void SettingsImage::SetBit(int position, int bit, bool value) {
  CheckBit(bit, 1);
  uint8_t& byte = At(position);
  const auto mask = static_cast<uint8_t>(1u << bit);
  byte = value ? (byte | mask) : (byte & ~mask);
}

int SettingsImage::GetPair(int position, int shift) const {
  CheckBit(shift, 2);
  return (At(position) >> shift) & 3;
}

void SettingsImage::SetPair(int position, int shift, int value) {
  CheckBit(shift, 2);
  uint8_t& byte = At(position);
  byte = static_cast<uint8_t>((byte & ~(3u << shift)) | ((value & 3u) << shift));
}

uint16_t SettingsImage::GetWordLE(int position) const {
  const uint8_t* p = &At(position, 2);
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void SettingsImage::SetWordLE(int position, uint16_t value) {
  uint8_t* p = &At(position, 2);
  p[0] = static_cast<uint8_t>(value & 0xFF);
  p[1] = static_cast<uint8_t>(value >> 8);
}

uint16_t SettingsImage::GetWordBE(int position) const {
  const uint8_t* p = &At(position, 2);
  return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

void SettingsImage::SetWordBE(int position, uint16_t value) {
  uint8_t* p = &At(position, 2);
  p[0] = static_cast<uint8_t>(value >> 8);
  p[1] = static_cast<uint8_t>(value & 0xFF);
}

void SettingsImage::ClearBytes(int position, int count) {
  if (count <= 0) {
    return;
  }
  uint8_t* p = &At(position, count);
  std::fill(p, p + count, uint8_t{0});
}

int SettingsImage::FieldPos(SettingsField entry) const {
  if (state_.Layout == nullptr) {
    throw std::logic_error("settings image used before identification");
  }
  return state_.Layout->at(entry);
}

const TFamilyRecord& SettingsImage::Family() const {
  if (state_.Family == nullptr) {
    throw std::logic_error("settings image used before identification");
  }
  return *state_.Family;
}

const TDeviceRecord& SettingsImage::DeviceType() const {
  if (state_.DeviceType == nullptr) {
    throw std::logic_error("settings image used before identification");
  }
  return *state_.DeviceType;
}

}  // namespace vrx
