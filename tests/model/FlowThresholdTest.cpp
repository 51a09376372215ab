#include "model/FlowThreshold.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vrx {
namespace {

constexpr int kL1 = 1, kL2 = 5, kL3 = 11, kL5 = 17, kL12 = 23, kL13 = 34;

// Known answers worked out by hand: v = litres x 3.6 / (B x value), rounded up, less the offset,
// clamped, and stored in the model's form.
TEST(EncodeFlowThreshold, KnownAnswers) {
  struct Case {
    const char* label;
    int type;
    uint8_t subVersion;
    int group, code;
    double value;
    int expected;
  };
  const Case cases[] = {
      // VRX-L2: B = 16, 1..255.
      {"L2 450: v 0.0005 rounds up to 1", kL2, 0, 0, 1, 450, 1},
      {"L2 0.0001 raised to 0.0008: 282 clamped", kL2, 0, 0, 1, 0.0001, 255},
      {"L2 v 9 exactly", kL2, 0, 0, 1, 0.025, 9},
      {"L2 fraction 5e-8 is dropped", kL2, 0, 0, 1, 3.6 / (16 * 9.00000005), 9},
      {"L2 fraction 2e-7 rounds up", kL2, 0, 0, 1, 3.6 / (16 * 9.0000002), 10},
      {"L2 not a number counts as the lower bound", kL2, 0, 0, 1, std::nan(""), 255},
      {"L2 infinity counts as the upper bound", kL2, 0, 2, 3, HUGE_VAL, 1},
      {"L1 same rule as L2", kL1, 0, 1, 2, 2.25, 5},  // 180 / 36 = 5
      // VRX-L3: divisor by code 16, 16, 64, 128; 1..15.
      {"L3 code 3: 3600 / (128 x 1.875) = 15", kL3, 0, 2, 3, 1.875, 15},
      {"L3 code 2: 180 / (64 x 0.28125) = 10", kL3, 0, 1, 2, 0.28125, 10},
      {"L3 code 1: 3.6 / (16 x 0.1125) = 2", kL3, 0, 0, 1, 0.1125, 2},
      // VRX-L5: code 1 B = 1, 7..254; other codes B = 4, 1..253; one less is stored.
      {"L5 code 1: 36 stored as 35", kL5, 0, 0, 1, 0.1, 35},
      {"L5 code 1 lower bound", kL5, 0, 0, 1, 450, 7},
      {"L5 code 1 upper bound", kL5, 0, 2, 1, 0.0008, 254},
      {"L5 code 2: 18 / (4 x 0.5) = 9 stored as 8", kL5, 0, 0, 2, 0.5, 8},
      // VRX-L12 and VRX-L13: B = 1, 6 or 8..249; up to 36 stored as N - 5, above it in eights.
      {"L12 N 40 above 36", kL12, 30, 0, 1, 0.09, 0x81},
      {"L12 N 36 kept", kL12, 30, 0, 1, 0.1, 31},
      {"L12 N 37 shares 0x81", kL12, 30, 0, 1, 3.6 / 37, 0x81},
      {"L12 N 42 next step", kL12, 30, 0, 1, 3.6 / 42, 0x82},
      {"L12 sub-version 30: bound 6", kL12, 30, 0, 1, 450, 1},
      {"L12 sub-version 20: bound 8", kL12, 20, 0, 1, 450, 3},
      {"L13 upper bound 249", kL13, 30, 2, 3, 0.0008, 0x9B},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(EncodeFlowThreshold(DeviceTypeAt(c.type), c.subVersion, c.group, c.code, c.value),
              c.expected);
  }
}

TEST(DecodeFlowThreshold, KnownAnswers) {
  struct Case {
    const char* label;
    int type;
    int group, code;
    uint8_t stored;
    double expected;
  };
  const Case cases[] = {
      {"L2 N 9", kL2, 0, 1, 9, 3.6 / (16 * 9)},
      {"L2 zero count gives 0", kL2, 0, 1, 0, 0},
      {"L3 code 3 divisor 128", kL3, 2, 3, 15, 3600.0 / (128 * 15)},
      {"L3 code 2 divisor 64", kL3, 1, 2, 10, 180.0 / (64 * 10)},
      {"L5 code 1: stored + 1", kL5, 0, 1, 35, 3.6 / 36},
      {"L5 code 2: divisor 4", kL5, 0, 2, 8, 18.0 / (4 * 9)},
      {"L12 0x81 is 41", kL12, 0, 1, 0x81, 3.6 / 41},
      {"L13 0x9B is 249", kL13, 2, 3, 0x9B, 3600.0 / 249},
      {"L13 bits 5 and 6 are not part of the code", kL13, 0, 1, 0x60 | 31, 0.1},
      {"group 3 decodes to 0", kL13, 3, 1, 31, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_DOUBLE_EQ(DecodeFlowThreshold(DeviceTypeAt(c.type), c.group, c.code, c.stored),
                     c.expected);
  }
}

// Whether a stored code lies in the model's range. Written by hand from the table of ranges, not
// from the encoder or the decoder.
bool WithinClamps(const TDeviceRecord& type, uint8_t subVersion, int code, uint8_t stored) {
  if (type.Code == 7 || type.Code == 8) {
    // Counts up to 36 are stored less 5: 8 (from sub-version 21 on, 6) to 36 give 3 (1) to 31.
    // Above 36 in steps of eight as 0x80 + k: k = 1 for 37 to 41 (read back as 41), each next k
    // eight more, so the highest count 249 = 41 + 26 x 8 is k = 27, 0x9B.
    const uint8_t lowest = subVersion <= 20 ? 3 : 1;
    return (stored >= lowest && stored <= 31) || (stored >= 0x81 && stored <= 0x9B);
  }
  if (type.IsL5) {
    return code == 1 ? stored >= 7 && stored <= 254 : stored >= 1 && stored <= 253;
  }
  if (type.IsL3Type) {
    return stored >= 1 && stored <= 15;
  }
  return stored >= 1;
}

// The grid snaps a typed threshold by encoding and decoding it; snapping a snapped value again
// must not move it.
TEST(FlowThresholdSnapping, IsIdempotentAndStaysWithinTheClampsForEveryType) {
  for (int index = 1; index <= kTypeCount; ++index) {
    const TDeviceRecord& type = DeviceTypeAt(index);
    for (uint8_t subVersion : {uint8_t{0}, uint8_t{20}, uint8_t{21}, uint8_t{30}}) {
      for (int group = 0; group <= 2; ++group) {
        for (int code = 1; code <= 3; ++code) {
          for (int step = 0; step <= 700; ++step) {
            // 0.0001 .. 1000, evenly spaced on a log scale.
            const double value = 0.0001 * std::pow(10.0, step / 100.0);
            const uint8_t stored = EncodeFlowThreshold(type, subVersion, group, code, value);
            const double snapped = DecodeFlowThreshold(type, group, code, stored);
            const uint8_t again = EncodeFlowThreshold(type, subVersion, group, code, snapped);
            ASSERT_EQ(again, stored) << type.Name << " sub " << int(subVersion) << " group "
                                     << group << " code " << code << " value " << value;
            ASSERT_TRUE(WithinClamps(type, subVersion, code, stored))
                << type.Name << " sub " << int(subVersion) << " stored " << int(stored);
          }
        }
      }
    }
  }
}

TEST(FormatFlow, TwoSignificantDigitsAndOneMoreForASingleDigit) {
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {5, "5,0"},   {0.5, "0,50"},        {0.02, "0,020"},     {0.1, "0,10"},
      {1, "1,0"},   {12, "12"},           {0.012, "0,012"},    {10, "10"},
      {450, "450"}, {100, "100"},         {123.4, "123"},      {0.25, "0,25"},
      {0, "0"},     {0.00088, "0,00088"}, {0.0009, "0,00090"}, {0.0141176, "0,014"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFlow(c.value, russian), QString::fromUtf8(c.expected)) << c.value;
  }
}

TEST(FormatFlow, UsesTheLocalesSeparator) {
  EXPECT_EQ(FormatFlow(5, QLocale::c()), "5.0");
  EXPECT_EQ(FormatFlow(0.5, QLocale::c()), "0.50");
}

}  // namespace
}  // namespace vrx
