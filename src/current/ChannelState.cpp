#include "current/ChannelState.h"

#include <stdexcept>
#include <string>

#include "model/ChannelFlags.h"

namespace vrx {

namespace {

constexpr int kL1OptionalChannelBit = 5;
constexpr int kVolumeBit = 6;

const TSchemeRecord& SchemeOf(const ConnectionState& state) {
  if (state.DeviceScheme == nullptr || state.Family == nullptr) {
    throw std::logic_error("channel state asked before the instrument's scheme was looked up");
  }
  return *state.DeviceScheme;
}

bool IsOptionalChannel(const ConnectionState& state, int channel) {
  return (SchemeOf(state).Flags & kFlagFixedLastChannel) == 0 &&
         channel == state.Family->ChannelCount;
}

// A byte of the current-parameters block at a 1-based position of the family's layout.
uint8_t BlockByte(const InstrumentBuffer& block, int position) {
  if (position < 1 || position > InstrumentBuffer::kSize) {
    throw std::out_of_range("block position " + std::to_string(position));
  }
  return block.bytes[position - 1];
}

int CurrentPos(const ConnectionState& state, CurrentField entry) {
  if (state.Family->CurrentLayout == nullptr) {
    throw std::logic_error("family without a current-parameters layout");
  }
  return (*state.Family->CurrentLayout)[entry];
}

// The optional channel is on by the options byte on a VRX-L1 and by a non-zero pulse-value code
// of its own byte elsewhere.
bool OptionalChannelOn(const ConnectionState& state, uint8_t options, uint8_t pulseByte) {
  if (state.Family->IsL1Family) {
    return ((options >> kL1OptionalChannelBit) & 1) != 0;
  }
  return (pulseByte & 3) != 0;
}

}  // namespace

bool ChannelOn(const SettingsImage& image, int channel) {
  const ConnectionState& state = image.State();
  if (!IsOptionalChannel(state, channel)) {
    return ChannelUsed(channel, SchemeOf(state).Flags);
  }
  const uint8_t options = image.Byte(image.FieldPos(Options));
  const uint8_t pulseByte =
      state.Family->IsL1Family ? 0 : image.Byte(image.FieldPos(ChannelBytes) + channel - 1);
  return OptionalChannelOn(state, options, pulseByte);
}

bool ChannelOnInBlock(const InstrumentBuffer& block, const ConnectionState& state, int channel) {
  if (!IsOptionalChannel(state, channel)) {
    return ChannelUsed(channel, SchemeOf(state).Flags);
  }
  const uint8_t options = BlockByte(block, CurrentPos(state, FlagsByte));
  const uint8_t pulseByte = state.Family->IsL1Family
                                ? 0
                                : BlockByte(block, CurrentPos(state, ChannelCodes) + channel - 1);
  return OptionalChannelOn(state, options, pulseByte);
}

bool ChannelTemperatureOn(const InstrumentBuffer& block, const ConnectionState& state,
                          int channel) {
  const uint32_t flags = SchemeOf(state).Flags;
  if (!ChannelHasTemperature(channel, flags)) {
    return false;
  }
  const uint8_t options = BlockByte(block, CurrentPos(state, FlagsByte));
  const bool volume = ((options >> kVolumeBit) & 1) != 0;
  if ((flags & kFlagMassVolumeChoice) != 0) {
    return !volume;
  }
  if (!state.Family->IsL1Family || (flags & kFlagFixedLastChannel) != 0 ||
      channel != state.Family->ChannelCount) {
    return true;
  }
  return ((options >> kL1OptionalChannelBit) & 1) != 0 && !volume;
}

}  // namespace vrx
