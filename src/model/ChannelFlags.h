#pragma once

#include <cstdint>
#include <span>

namespace vrx {

// Option bits in the top byte of a scheme's flag word. Below them each channel k (1..5) owns
// the three bits from 3(k-1): flow, temperature, own operating-time counter.
inline constexpr uint32_t kFlagCompare12 = 0x02000000;
inline constexpr uint32_t kFlagCompare34 = 0x04000000;
inline constexpr uint32_t kFlagNoColdWater = 0x08000000;
inline constexpr uint32_t kFlagFirstCircuit = 0x10000000;
inline constexpr uint32_t kFlagSecondCircuit = 0x20000000;
inline constexpr uint32_t kFlagFixedLastChannel = 0x40000000;
inline constexpr uint32_t kFlagMassVolumeChoice = 0x80000000;

inline constexpr int kMaxChannels = 5;

// Flag tests of channel 1..5 in a flag word. A channel number outside 1..5 has no bits: the
// tests give false and ChannelKind gives 0.
bool ChannelHasFlow(int channel, uint32_t flags);
bool ChannelHasTemperature(int channel, uint32_t flags);
// The instrument that sent type byte 10 counts the operating time of channel 5 whatever the
// flag word says.
bool ChannelHasTimer(int channel, uint32_t flags, bool typeByte10);
bool ChannelUsed(int channel, uint32_t flags);
// Flow and temperature bits of the channel as a number 0..3.
int ChannelKind(int channel, uint32_t flags);

// Without kFlagFixedLastChannel in the scheme the family's last channel is optional: the
// instrument, not the scheme, says whether the engineer switched it on.
bool IsOptionalChannel(int channel, uint32_t schemeFlags, int channelCount);
// How the instrument says it: bit 5 of the options byte on a VRX-L1 (the flags byte of its
// current-parameters block), a non-zero pulse-value code in the channel's own byte elsewhere.
bool OptionalChannelOn(bool l1Family, uint8_t optionsByte, uint8_t pulseByte);

// Scale (0..3) of a channel in a pulse-byte run: on a VRX-L1 the two-bit code of channel k in
// the run's first byte, elsewhere the diameter group in bits 2-3 of the channel's own byte. A
// channel the run does not hold has scale 0.
int ChannelScale(std::span<const uint8_t> run, bool l1Family, int channel);

struct CircuitScaleResult {
  int scale = 0;
  bool scalesDiffer = false;  // only ever set outside the VRX-L1
  bool operator==(const CircuitScaleResult&) const = default;
};

// Scale of a single channel (0..15) or of a heat circuit given as two channel nibbles (above 15):
// the larger of the two scales on a VRX-L1, the smaller elsewhere, where it is also reported
// whether the two differ.
CircuitScaleResult CircuitScale(std::span<const uint8_t> run, bool l1Family, int channelOrPair);

}  // namespace vrx
