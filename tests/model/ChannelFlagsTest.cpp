#include "model/ChannelFlags.h"

#include <gtest/gtest.h>

#include <vector>

namespace vrx {
namespace {

// Flow, temperature, timer and kind of channels 1..5 (and out-of-range channels) by flag word.
TEST(ChannelFlags, TestsReadTheChannelsOwnThreeBits) {
  struct Case {
    uint32_t flags;
    int channel;
    bool flow, temperature, timer;
    int kind;
  };
  const Case cases[] = {
      // 0x1000005F: channel 1 everything, 2 flow and temperature, 3 flow only, 4 nothing.
      {0x1000005F, 1, true, true, true, 3},   {0x1000005F, 2, true, true, false, 3},
      {0x1000005F, 3, true, false, false, 1}, {0x1000005F, 4, false, false, false, 0},
      // Channel 4 temperature only, channel 5 timer only.
      {0x00004400, 4, false, true, false, 2}, {0x00004400, 5, false, false, true, 0},
      // Option bits do not leak into channel 5, nor does anything reach channels outside 1..5.
      {0xFE000000, 5, false, false, false, 0}, {0xFFFFFFFF, 0, false, false, false, 0},
      {0xFFFFFFFF, 6, false, false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.flags << " channel " << c.channel);
    EXPECT_EQ(ChannelHasFlow(c.channel, c.flags), c.flow);
    EXPECT_EQ(ChannelHasTemperature(c.channel, c.flags), c.temperature);
    EXPECT_EQ(ChannelHasTimer(c.channel, c.flags, false), c.timer);
    EXPECT_EQ(ChannelUsed(c.channel, c.flags), c.flow || c.temperature);
    EXPECT_EQ(ChannelKind(c.channel, c.flags), c.kind);
  }
  // Type byte 10 gives channel 5, and only it, a timer.
  EXPECT_TRUE(ChannelHasTimer(5, 0, true));
  EXPECT_FALSE(ChannelHasTimer(4, 0, true));
}

TEST(CircuitScale, ChannelsAndChannelPairsOfBothFormats) {
  const std::vector<uint8_t> l1{0b01110010};                 // codes 2, 0, 3, 1
  const std::vector<uint8_t> fresh{0x97, 0x4A, 0xF3, 0x0C};  // groups 1, 2, 0, 3
  struct Case {
    const std::vector<uint8_t>* run;
    bool l1;
    int p;
    CircuitScaleResult expected;
  };
  const Case cases[] = {
      {&l1, true, 3, {3, false}},      {&l1, true, 4, {1, false}},
      {&l1, true, 0x12, {2, false}},   // the larger of 2 and 0
      {&l1, true, 0x34, {3, false}},   {&l1, true, 5, {0, false}},  // no fifth code
      {&fresh, false, 2, {2, false}},  {&fresh, false, 4, {3, false}},
      {&fresh, false, 0x12, {1, true}},  // the smaller of 1 and 2, and they differ
      {&fresh, false, 0x23, {0, true}},  {&fresh, false, 0x11, {1, false}},
      {&fresh, false, 5, {0, false}},  // a channel the run does not hold is not read
      {&fresh, false, 0, {0, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.l1 ? "L1 " : "new ") << std::hex << c.p);
    EXPECT_EQ(CircuitScale(*c.run, c.l1, c.p), c.expected);
  }
}

}  // namespace
}  // namespace vrx
