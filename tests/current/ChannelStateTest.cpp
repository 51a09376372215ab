#include "current/ChannelState.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

// The connection state of a type with the scheme at a 1-based position of its list.
ConnectionState WithScheme(int typeIndex, int position) {
  ConnectionState state = test::StateFor(typeIndex);
  state.DeviceScheme = &state.Family->Schemes[static_cast<size_t>(position - 1)];
  return state;
}

struct OnCase {
  const char* label;
  int type;
  int scheme;    // position in the type's list
  int position;  // the byte that is set (image or block position); 0 for none
  uint8_t value;
  int channel;
  bool expected;
};

// VRX-L1 list A scheme 6 (0x10000E3F) leaves channel 4 optional, its state in bit 5 of the
// options byte (80); list B scheme 1 (0xC8000FFF) fixes it. VRX-L2 list C scheme 6 (0x1200005F)
// leaves channel 3 optional, its state in the pulse code at 51 + 2; list D schemes leave the
// VRX-L13 channel 5 optional (pulse byte 82 + 4); scheme 7 has no channel 4, scheme 13 has.
TEST(ChannelOn, FollowsTheSchemeOrTheImageForTheOptionalChannel) {
  const OnCase cases[] = {
      {"L1 optional channel on", test::kL1Type, 6, 80, 0x20, 4, true},
      {"L1 optional channel off", test::kL1Type, 6, 80, 0xDF, 4, false},
      {"L1 channel the scheme does not use", test::kL1Type, 6, 80, 0xFF, 3, false},
      {"L1 fixed last channel follows the scheme", test::kL1bType, 1, 80, 0x00, 4, true},
      {"L2 optional channel with a pulse code", test::kL2Type, 6, 53, 0x01, 3, true},
      {"L2 optional channel with code 0", test::kL2Type, 6, 53, 0xFC, 3, false},
      {"L13 optional channel on", test::kL13Type, 13, 86, 0x03, 5, true},
      {"L13 channel 4 of a scheme without it", test::kL13Type, 7, 85, 0x01, 4, false},
      {"L13 channel 4 with code 0 but in the scheme", test::kL13Type, 13, 0, 0, 4, true},
  };
  for (const OnCase& c : cases) {
    SCOPED_TRACE(c.label);
    const ConnectionState state = WithScheme(c.type, c.scheme);
    InstrumentBuffer buffer = test::Filled(0);
    if (c.position != 0) {
      buffer.bytes[c.position - 1] = c.value;
    }
    EXPECT_EQ(ChannelOn(SettingsImage(buffer, state), c.channel), c.expected);
  }
}

// Current layouts: VRX-L1 flags byte 12; VRX-L2 channel codes from 12; VRX-L13 from 25.
TEST(ChannelOnInBlock, TakesItsPositionsFromTheCurrentLayout) {
  const OnCase cases[] = {
      {"L1 optional channel on", test::kL1Type, 6, 12, 0x20, 4, true},
      {"L1 options byte of the image is not read", test::kL1Type, 6, 80, 0x20, 4, false},
      {"L2 optional channel on", test::kL2Type, 6, 14, 0x02, 3, true},
      {"L2 optional channel off", test::kL2Type, 6, 14, 0xFC, 3, false},
      {"L13 pulse byte of the image is not read", test::kL13Type, 13, 86, 0x01, 5, false},
  };
  for (const OnCase& c : cases) {
    SCOPED_TRACE(c.label);
    const ConnectionState state = WithScheme(c.type, c.scheme);
    InstrumentBuffer block = test::Filled(0);
    block.bytes[c.position - 1] = c.value;
    EXPECT_EQ(ChannelOnInBlock(block, state, c.channel), c.expected);
  }
}

TEST(ChannelTemperatureOn, ByTheSchemeAndTheFlagsByte) {
  struct Case {
    const char* label;
    int type;
    int scheme;
    uint8_t flagsByte;
    int channel;
    bool expected;
  };
  const Case cases[] = {
      {"no temperature in the scheme", test::kL2Type, 6, 0x00, 3, false},
      {"mass measured", test::kL1bType, 1, 0xBF, 1, true},
      {"volume measured", test::kL1bType, 1, 0x40, 1, false},
      {"L1 optional channel on, mass", test::kL1Type, 6, 0x20, 4, true},
      {"L1 optional channel on, volume", test::kL1Type, 6, 0x60, 4, false},
      {"L1 optional channel off", test::kL1Type, 6, 0x9F, 4, false},
      {"L1 main channel", test::kL1Type, 6, 0x00, 1, true},
      {"L1 fixed last channel", test::kL1bType, 13, 0x00, 4, true},
      {"new format ignores bits 5 and 6", test::kL2Type, 6, 0x60, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const ConnectionState state = WithScheme(c.type, c.scheme);
    InstrumentBuffer block = test::Filled(0);
    block.bytes[(*state.Family->CurrentLayout)[FlagsByte] - 1] = c.flagsByte;
    EXPECT_EQ(ChannelTemperatureOn(block, state, c.channel), c.expected);
  }
}

TEST(ChannelState, NeedsTheSchemeOfTheInstrument) {
  const ConnectionState state = test::StateFor(test::kL2Type);
  InstrumentBuffer buffer = test::Filled(0);
  EXPECT_THROW(ChannelOn(SettingsImage(buffer, state), 1), std::logic_error);
  EXPECT_THROW(ChannelTemperatureOn(buffer, state, 1), std::logic_error);
}

}  // namespace
}  // namespace vrx
