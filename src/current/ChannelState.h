#pragma once

#include "link/ConnectionState.h"
#include "link/InstrumentBuffer.h"
#include "image/SettingsImage.h"

namespace vrx {

// On/off state of the channels of the connected instrument, from its scheme (DeviceScheme of the
// connection state) and the block in the instrument buffer. The scheme must have been looked up
// first; without it these throw std::logic_error. Channels are counted from 1.

// Whether channel k is switched on, over the settings image. The optional last channel (when
// the scheme does not fix it) is on when the image says so: bit 5 of the options byte on a
// VRX-L1, a non-zero pulse-value code elsewhere. Every other channel is on when the scheme uses
// it.
bool ChannelOn(const SettingsImage& image, int channel);

// The same rule over the current-parameters block, whose positions come from the family's
// current-parameters layout.
bool ChannelOnInBlock(const InstrumentBuffer& block, const ConnectionState& state, int channel);

// Whether the temperature of channel k is measured, over the current-parameters block.
bool ChannelTemperatureOn(const InstrumentBuffer& block, const ConnectionState& state, int channel);

}  // namespace vrx
