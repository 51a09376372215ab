#include "image/ThresholdFields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

using test::BytesAt;
using test::Hex;

TEST(ThresholdCode, VrxL3KeepsFourBitCodesInNibbles) {
  const ConnectionState state = test::StateFor(test::kL3Type);
  InstrumentBuffer buffer = test::Filled(0);
  SettingsImage image(buffer, state);
  SetThresholdCode(image, 1, 0x1);
  SetThresholdCode(image, 2, 0x2);
  SetThresholdCode(image, 3, 0xE);
  SetThresholdCode(image, 4, 0xF);
  // Channel 1 low and channel 2 high nibble of 73; channels 3 and 4 likewise in 74.
  EXPECT_EQ(BytesAt(buffer, 72, 4), Hex("0021fe00"));
  EXPECT_EQ(ThresholdCode(image, 1), 0x1);
  EXPECT_EQ(ThresholdCode(image, 2), 0x2);
  EXPECT_EQ(ThresholdCode(image, 3), 0xE);
  EXPECT_EQ(ThresholdCode(image, 4), 0xF);
  // Rewriting one channel leaves its neighbour in the byte alone.
  SetThresholdCode(image, 3, 0x5);
  EXPECT_EQ(buffer.bytes[73], 0xF5);
}

TEST(ThresholdCode, OneBytePerChannelElsewhere) {
  struct Case {
    int type;
    int channel;
    int position;
  };
  const Case cases[] = {
      {test::kL2Type, 1, 47},  {test::kL2Type, 2, 48},  {test::kL5Type, 4, 76},
      {test::kL12Type, 2, 49}, {test::kL13Type, 3, 75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << "/" << c.channel);
    const ConnectionState state = test::StateFor(c.type);
    InstrumentBuffer buffer = test::Filled(0);
    SettingsImage image(buffer, state);
    SetThresholdCode(image, c.channel, 0x81);
    EXPECT_EQ(buffer.bytes[c.position - 1], 0x81);
    EXPECT_EQ(ThresholdCode(image, c.channel), 0x81);
  }
}

TEST(ThresholdCode, VrxL12AndL13ShareTheByteWithTheDivisorCode) {
  const ConnectionState state = test::StateFor(test::kL13Type);
  InstrumentBuffer buffer = test::Filled(0);
  SettingsImage image(buffer, state);
  SetThresholdCode(image, 1, 0x9B);
  SetMinFlowDivisorCode(image, 1, 3);
  EXPECT_EQ(buffer.bytes[72], 0xFB);  // 0x9B + 32 x 3
  EXPECT_EQ(ThresholdCode(image, 1), 0x9B);
  EXPECT_EQ(MinFlowDivisorCode(image, 1), 3);
  SetThresholdCode(image, 1, 31);
  EXPECT_EQ(buffer.bytes[72], 0x7F);  // the divisor code stays
  SetMinFlowDivisorCode(image, 1, 1);
  EXPECT_EQ(buffer.bytes[72], 0x3F);

  const ConnectionState l5 = test::StateFor(test::kL5Type);
  SettingsImage other(buffer, l5);
  EXPECT_THROW(SetMinFlowDivisorCode(other, 1, 1), std::logic_error);
}

TEST(ThresholdCode, OnlyMeasuringChannelsOfTheNewFormatHaveOne) {
  InstrumentBuffer buffer = test::Filled(0);
  const ConnectionState l2 = test::StateFor(test::kL2Type);
  const ConnectionState l1 = test::StateFor(test::kL1Type);
  SettingsImage three(buffer, l2);
  SettingsImage old(buffer, l1);
  EXPECT_THROW(SetThresholdCode(three, 3, 1), std::out_of_range);
  EXPECT_THROW(SetThresholdCode(old, 1, 1), std::logic_error);
}

TEST(ThresholdFields, ClearingSkipsWhatTheModelLacks) {
  struct Case {
    int type;
    std::vector<int> cleared;
  };
  const Case cases[] = {
      {test::kL2Type, {47, 48}},  // no exponents byte: nothing at entry 19
      {test::kL3Type, {73, 74}},
      {test::kL5Type, {73, 74, 97}},
      {test::kL12Type, {48, 49, 64}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    const ConnectionState state = test::StateFor(c.type);
    InstrumentBuffer buffer = test::Filled(0xEE);
    SettingsImage image(buffer, state);
    ClearThresholdFields(image);
    for (int p = 1; p <= InstrumentBuffer::kSize; ++p) {
      const bool cleared = std::find(c.cleared.begin(), c.cleared.end(), p) != c.cleared.end();
      ASSERT_EQ(buffer.bytes[p - 1], cleared ? 0 : 0xEE) << p;
    }
  }
}

// Two digits over ten to the power of the exponent. The sound range (0.01 up to below 100) keeps
// the digits of the grid text; beyond it the nearest value the form can hold is stored.
TEST(ThresholdDisplay, DigitsAndExponentOfTheGridText) {
  struct Case {
    double threshold;
    ThresholdDisplay expected;
  };
  const Case cases[] = {
      {0.5, {50, 2}},    // "0,50"
      {12, {12, 0}},     // "12"
      {1.2, {12, 1}},    // "1,2"
      {0.012, {12, 3}},  // "0,012"
      {5, {50, 1}},      // "5,0"
      {0.02, {20, 3}},   // "0,020"
      {0.1, {10, 2}},    // "0,10"
      {10, {10, 0}},
      {0.0141, {14, 3}},  // "0,014"
      {0.4932, {49, 2}},  // "0,49"
      {99, {99, 0}},
      // Beyond the form: the nearest value it holds.
      {100, {99, 0}},
      {450, {99, 0}},
      {99.7, {99, 0}},   // the grid rounds it to 100
      {0.0088, {9, 3}},  // "0,0088" -> 0.009
      {0.0012, {1, 3}},
      {0.0004, {0, 3}},
      {0, {0, 0}},
      {-1, {0, 0}},
  };
  for (const Case& c : cases) {
    const ThresholdDisplay actual = ThresholdDisplayOf(c.threshold);
    EXPECT_EQ(actual.digits, c.expected.digits) << c.threshold;
    EXPECT_EQ(actual.exponent, c.expected.exponent) << c.threshold;
  }
}

TEST(ThresholdDisplay, StoredAsBcdDigitsAndTwoBitExponents) {
  const ConnectionState state = test::StateFor(test::kL5Type);
  InstrumentBuffer buffer = test::Filled(0);
  SettingsImage image(buffer, state);
  SetThresholdDisplay(image, 1, {50, 2});
  SetThresholdDisplay(image, 2, {12, 0});
  SetThresholdDisplay(image, 3, {49, 3});
  SetThresholdDisplay(image, 4, {10, 1});
  EXPECT_EQ(BytesAt(buffer, 93, 5), Hex("50124910"
                                        "72"));  // exponents 2, 0, 3, 1
  EXPECT_EQ(ThresholdDisplayAt(image, 3), (ThresholdDisplay{49, 3}));
  EXPECT_DOUBLE_EQ(ThresholdDisplayValue({49, 3}), 0.049);

  // A value outside the form never reaches the neighbouring channels' exponents.
  SetThresholdDisplay(image, 2, {123, 5});
  EXPECT_EQ(BytesAt(buffer, 93, 5), Hex("50994910"
                                        "7e"));
}

TEST(ThresholdDisplay, AVrxL2HasNone) {
  const ConnectionState l2 = test::StateFor(test::kL2Type);
  InstrumentBuffer buffer = test::Filled(0);
  SettingsImage image(buffer, l2);
  EXPECT_FALSE(HasThresholdDisplay(image));
  EXPECT_THROW(SetThresholdDisplay(image, 1, {50, 2}), std::logic_error);
  for (uint8_t b : buffer.bytes) {
    ASSERT_EQ(b, 0);
  }
}

}  // namespace
}  // namespace vrx
