#pragma once

#include <cstdint>

#include "link/ConnectionState.h"
#include "link/InstrumentBuffer.h"
#include "model/Catalogue.h"

namespace vrx {

// The six settings-image layouts; all versions of one model share theirs. VRX-L1 is the old
// format, the others share the new one.
enum class ImageModel : uint8_t { L1, L2, L3, L5, L12, L13 };

ImageModel ModelOf(const TDeviceRecord& type);

// The settings block of the instrument last identified, as it lies in the shared instrument
// buffer: 1-based positions, fields found through the layout of the connection state.
//
// The accessors take image positions, not layout entries. A position outside the buffer (0
// included: a layout entry of 0 means the model has no such field) is a programming error and
// throws std::out_of_range rather than touching memory beyond the buffer.
class SettingsImage {
 public:
  SettingsImage(InstrumentBuffer& buffer, const ConnectionState& state);

  uint8_t Byte(int position) const;
  void SetByte(int position, uint8_t value);

  bool GetBit(int position, int bit) const;
  void SetBit(int position, int bit, bool value);

  // The two bits at shift and shift + 1; SetPair keeps the other six bits.
  int GetPair(int position, int shift) const;
  void SetPair(int position, int shift, int value);

  uint16_t GetWordLE(int position) const;
  void SetWordLE(int position, uint16_t value);
  uint16_t GetWordBE(int position) const;
  void SetWordBE(int position, uint16_t value);

  void ClearBytes(int position, int count);

  // The layout entry of the identified model (its image length for Length, 0 when the model has
  // no such field). Throws std::logic_error before an identification chose a layout.
  int FieldPos(SettingsField entry) const;
  int Length() const { return FieldPos(SettingsField::Length); }

  const ConnectionState& State() const { return state_; }
  // Needs an identified instrument, as FieldPos.
  const TFamilyRecord& Family() const;
  const TDeviceRecord& DeviceType() const;
  ImageModel Model() const { return ModelOf(DeviceType()); }
  bool OldFormat() const { return Family().IsL1Family != 0; }
  int ChannelCount() const { return Family().ChannelCount; }

 private:
  uint8_t& At(int position, int width = 1);
  const uint8_t& At(int position, int width = 1) const;

  InstrumentBuffer& buffer_;
  const ConnectionState& state_;
};

}  // namespace vrx
