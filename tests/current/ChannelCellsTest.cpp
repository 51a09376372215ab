// Which channels of a current-parameters block measure flow and temperature: the scheme, and
// for the optional last channel what the instrument says.
#include "current/ChannelCells.h"

#include <gtest/gtest.h>

#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

// A block of zeros with one byte set (position 0: none) for the type with the scheme at a
// 1-based position of its list.
struct BlockUnderTest {
  BlockUnderTest(int typeIndex, int scheme, int position, uint8_t value)
      : state(test::StateFor(typeIndex)),
        buffer(test::Filled(0)),
        block(buffer.data(), InstrumentBuffer::kSize, *state.Family->CurrentLayout),
        context{block, *state.Family, *state.DeviceType,
                state.Family->Schemes[static_cast<size_t>(scheme - 1)]} {
    if (position != 0)
      buffer.bytes[static_cast<size_t>(position - 1)] = value;
  }
  ConnectionState state;
  InstrumentBuffer buffer;
  CurrentBlock block;
  CurrentContext context;
};

struct OnCase {
  const char* label;
  int type;
  int scheme;    // position in the type's list
  int position;  // the block byte that is set; 0 for none
  uint8_t value;
  int channel;
  bool expected;
};

// VRX-L1 list A scheme 6 (0x10000E3F) leaves channel 4 optional, its state in bit 5 of the
// flags byte (current layout position 12); list B scheme 1 (0xC8000FFF) fixes it. VRX-L2 list C
// scheme 6 (0x1200005F) leaves channel 3 optional, its state in the pulse code at 12 + 2; list D
// schemes leave the VRX-L13 channel 5 optional (pulse code at 25 + 4); scheme 7 has no channel 4,
// scheme 13 has.
TEST(FlowPresent, FollowsTheSchemeOrTheBlockForTheOptionalChannel) {
  const OnCase cases[] = {
      {"L1 optional channel on", test::kL1Type, 6, 12, 0x20, 4, true},
      {"L1 optional channel off", test::kL1Type, 6, 12, 0xDF, 4, false},
      {"L1 options byte of the image is not read", test::kL1Type, 6, 80, 0x20, 4, false},
      {"L1 channel the scheme does not use", test::kL1Type, 6, 12, 0xFF, 3, false},
      {"L1 fixed last channel follows the scheme", test::kL1bType, 1, 12, 0x00, 4, true},
      {"L2 optional channel with a pulse code", test::kL2Type, 6, 14, 0x02, 3, true},
      {"L2 optional channel with code 0", test::kL2Type, 6, 14, 0xFC, 3, false},
      {"L13 optional channel on", test::kL13Type, 13, 29, 0x03, 5, true},
      {"L13 pulse byte of the image is not read", test::kL13Type, 13, 86, 0x01, 5, false},
      {"L13 channel 4 of a scheme without it", test::kL13Type, 7, 28, 0x01, 4, false},
      {"L13 channel 4 with code 0 but in the scheme", test::kL13Type, 13, 0, 0, 4, true},
  };
  for (const OnCase& c : cases) {
    SCOPED_TRACE(c.label);
    const BlockUnderTest t(c.type, c.scheme, c.position, c.value);
    EXPECT_EQ(FlowPresent(t.context, c.channel), c.expected);
  }
}

TEST(TemperaturePresent, ByTheSchemeAndTheFlagsByte) {
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
    const ConnectionState state = test::StateFor(c.type);
    const BlockUnderTest t(c.type, c.scheme, (*state.Family->CurrentLayout)[FlagsByte],
                           c.flagsByte);
    EXPECT_EQ(TemperaturePresent(t.context, c.channel), c.expected);
  }
}

}  // namespace
}  // namespace vrx
