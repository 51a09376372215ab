#include "model/ChannelFlags.h"

#include <algorithm>

namespace vrx {

namespace {

uint32_t Group(int channel, uint32_t flags) {
  if (channel < 1 || channel > kMaxChannels) {
    return 0;
  }
  return (flags >> (3 * (channel - 1))) & 7u;
}

}  // namespace

bool ChannelHasFlow(int channel, uint32_t flags) {
  return (Group(channel, flags) & 1u) != 0;
}

bool ChannelHasTemperature(int channel, uint32_t flags) {
  return (Group(channel, flags) & 2u) != 0;
}

bool ChannelHasTimer(int channel, uint32_t flags, bool typeByte10) {
  return (Group(channel, flags) & 4u) != 0 || (channel == 5 && typeByte10);
}

bool ChannelUsed(int channel, uint32_t flags) {
  return (Group(channel, flags) & 3u) != 0;
}

int ChannelKind(int channel, uint32_t flags) {
  return static_cast<int>(Group(channel, flags) & 3u);
}

bool IsOptionalChannel(int channel, uint32_t schemeFlags, int channelCount) {
  return (schemeFlags & kFlagFixedLastChannel) == 0 && channel == channelCount;
}

bool OptionalChannelOn(bool l1Family, uint8_t optionsByte, uint8_t pulseByte) {
  constexpr int kL1OptionalChannelBit = 5;
  if (l1Family)
    return ((optionsByte >> kL1OptionalChannelBit) & 1) != 0;
  return (pulseByte & 3) != 0;
}

int ChannelScale(std::span<const uint8_t> run, bool l1Family, int channel) {
  if (l1Family) {
    // Four two-bit codes in one byte.
    if (channel < 1 || channel > 4 || run.empty()) {
      return 0;
    }
    return (run[0] >> (2 * (channel - 1))) & 3;
  }
  if (channel < 1 || static_cast<size_t>(channel) > run.size()) {
    return 0;
  }
  return (run[channel - 1] >> 2) & 3;
}

CircuitScaleResult CircuitScale(std::span<const uint8_t> run, bool l1Family, int channelOrPair) {
  if (channelOrPair <= 15) {
    return {ChannelScale(run, l1Family, channelOrPair), false};
  }
  const int first = ChannelScale(run, l1Family, (channelOrPair >> 4) & 0xF);
  const int second = ChannelScale(run, l1Family, channelOrPair & 0xF);
  if (l1Family) {
    return {std::max(first, second), false};
  }
  return {std::min(first, second), first != second};
}

}  // namespace vrx
