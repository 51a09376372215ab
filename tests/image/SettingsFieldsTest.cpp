#include "image/SettingsFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>

#include "model/TemperatureCode.h"
#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

using test::BytesAt;
using test::Hex;

// One field written into a blank image: the bytes it must occupy (positions from the layout
// tables) and the value its getter must give back.
struct FieldCase {
  const char* label;
  int type;
  std::function<void(SettingsImage&)> write;
  int position;
  const char* bytes;
  std::function<int(const SettingsImage&)> read;
  int value;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
  *os << c.label;
}

class FieldPlacement : public testing::TestWithParam<FieldCase> {};

TEST_P(FieldPlacement, LandsAtItsPositionAndReadsBack) {
  const FieldCase& c = GetParam();
  const ConnectionState state = test::StateFor(c.type);
  InstrumentBuffer buffer = test::Filled(0);
  SettingsImage image(buffer, state);
  c.write(image);
  const std::vector<uint8_t> expected = Hex(c.bytes);
  EXPECT_EQ(BytesAt(buffer, c.position, static_cast<int>(expected.size())), expected);
  // Nothing else changed.
  for (int p = 1; p <= InstrumentBuffer::kSize; ++p) {
    if (p < c.position || p >= c.position + static_cast<int>(expected.size())) {
      ASSERT_EQ(buffer.bytes[p - 1], 0) << "position " << p;
    }
  }
  EXPECT_EQ(c.read(image), c.value);
}

using S = SettingsImage;
constexpr int L1 = test::kL1Type, L2 = test::kL2Type, L3 = test::kL3Type, L5 = test::kL5Type,
              L12 = test::kL12Type, L13 = test::kL13Type;

INSTANTIATE_TEST_SUITE_P(
    BothFormats, FieldPlacement,
    testing::Values(
        FieldCase{"L1 device number 300, high byte first", L1,
                  [](S& i) { SetDeviceNumber(i, 300); }, 18, "012c",
                  [](const S& i) { return DeviceNumber(i); }, 300},
        FieldCase{"L2 device number 300, low byte first", L2, [](S& i) { SetDeviceNumber(i, 300); },
                  42, "2c01", [](const S& i) { return DeviceNumber(i); }, 300},
        FieldCase{"L3 scheme code", L3, [](S& i) { SetSchemeCodeByte(i, 26); }, 86, "1a",
                  [](const S& i) { return SchemeCodeByte(i); }, 26},
        FieldCase{"L1 months in two bytes", L1,
                  [](S& i) {
                    SetSwitchMonths(i, {3, 10});
                  },
                  89, "030a", [](const S& i) { return SwitchMonths(i).winter; }, 10},
        FieldCase{"L3 March and October give 0xA3", L3,
                  [](S& i) {
                    SetSwitchMonths(i, {3, 10});
                  },
                  79, "a3", [](const S& i) { return SwitchMonths(i).summer; }, 3},
        FieldCase{"L1 summer cold water", L1,
                  [](S& i) { SetColdWaterTenths(i, Season::Summer, 205); }, 9, "cd",
                  [](const S& i) { return ColdWaterTenths(i, Season::Summer); }, 205},
        FieldCase{"L1 agreed temperature of channel 4", L1,
                  [](S& i) { SetAgreedTemperatureWord(i, 4, 0x1234); }, 87, "3412",
                  [](const S& i) { return AgreedTemperatureWord(i, 4); }, 0x1234},
        FieldCase{"L13 agreed temperature of channel 4", L13,
                  [](S& i) { SetAgreedTemperatureWord(i, 4, 80); }, 68, "5000",
                  [](const S& i) { return AgreedTemperatureWord(i, 4); }, 80},
        FieldCase{"L1 agreed pressure of channel 4", L1,
                  [](S& i) { SetAgreedPressureByte(i, 4, 16); }, 25, "10",
                  [](const S& i) { return AgreedPressureByte(i, 4); }, 16},
        FieldCase{"L1 pulse code of channel 3", L1, [](S& i) { SetPulseCode(i, 3, 2); }, 17, "20",
                  [](const S& i) { return PulseCode(i, 3); }, 2},
        FieldCase{"L5 diameter group of channel 2", L5, [](S& i) { SetDiameterGroup(i, 2, 2); }, 83,
                  "08", [](const S& i) { return DiameterGroup(i, 2); }, 2},
        FieldCase{"L13 line test off on channel 5", L13,
                  [](S& i) { SetChannelByteBit(i, 5, kLineTestOffBit, true); }, 86, "80",
                  [](const S& i) { return ChannelByteBit(i, 5, kLineTestOffBit); }, 1},
        FieldCase{"L1 agreed temperature flag of channel 3", L1,
                  [](S& i) { SetAgreedTemperatureFlag(i, 3, true); }, 80, "04",
                  [](const S& i) { return AgreedTemperatureFlag(i, 3); }, 1},
        FieldCase{"L2 one agreed temperature flag for all channels", L2,
                  [](S& i) { SetAgreedTemperatureFlag(i, 2, true); }, 54, "01",
                  [](const S& i) { return AgreedTemperatureFlag(i, 1); }, 1},
        FieldCase{"L1 heat unit bit 7", L1, [](S& i) { SetHeatUnitGcal(i, true); }, 80, "80",
                  [](const S& i) { return HeatUnitGcal(i); }, 1},
        FieldCase{"L3 heat unit bit 2", L3, [](S& i) { SetHeatUnitGcal(i, true); }, 85, "04",
                  [](const S& i) { return HeatUnitGcal(i); }, 1},
        FieldCase{"L1 cold-water pressure 16 stored as 15", L1,
                  [](S& i) { SetOldColdWaterPressure(i, 16); }, 11, "0f",
                  [](const S& i) { return OldColdWaterPressure(i); }, 16},
        FieldCase{"L1 water meter", L1, [](S& i) { SetOldWaterMeter(i, true); }, 11, "10",
                  [](const S& i) { return OldWaterMeter(i); }, 1},
        FieldCase{"L1 summer enthalpy at 5", L1,
                  [](S& i) { SetOldColdWaterEnthalpy(i, Season::Summer, 0x0102); }, 5, "0102",
                  [](const S& i) { return OldColdWaterEnthalpy(i, Season::Summer); }, 0x0102}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(SettingsFields, WritersKeepTheBitsThatAreNotTheirs) {
  const ConnectionState l1 = test::StateFor(L1);
  InstrumentBuffer buffer = test::Filled(0xFF);
  SettingsImage old(buffer, l1);
  SetOldColdWaterPressure(old, 3);
  EXPECT_EQ(buffer.bytes[10], 0xF2);  // bit 4 (water meter) and the high bits stay
  SetPulseCode(old, 2, 0);
  EXPECT_EQ(buffer.bytes[16], 0xF3);
  SetAgreedTemperatureFlag(old, 1, false);
  EXPECT_EQ(buffer.bytes[79], 0xFE);

  const ConnectionState l13 = test::StateFor(L13);
  buffer = test::Filled(0xFF);
  SettingsImage fresh(buffer, l13);
  SetPulseCode(fresh, 2, 1);
  EXPECT_EQ(buffer.bytes[82], 0xFD);  // channel 2 at 83: group and flag bits stay
  SetDiameterGroup(fresh, 2, 0);
  EXPECT_EQ(buffer.bytes[82], 0xF1);
  SetSwitchMonths(fresh, {4, 10});
  EXPECT_EQ(buffer.bytes[80], 0xA4);
}

TEST(SettingsFields, ChannelsOutsideTheFieldAndFieldsOfTheOtherFormatAreRefused) {
  const ConnectionState l1 = test::StateFor(L1);
  const ConnectionState l13 = test::StateFor(L13);
  InstrumentBuffer buffer = test::Filled(0);
  SettingsImage old(buffer, l1);
  SettingsImage five(buffer, l13);
  EXPECT_THROW(SetAgreedTemperatureWord(old, 5, 1), std::out_of_range);
  // The last channel of the new format has no agreed temperature or pressure.
  EXPECT_THROW(SetAgreedTemperatureWord(five, 5, 1), std::out_of_range);
  EXPECT_THROW(SetAgreedPressureByte(five, 5, 1), std::out_of_range);
  EXPECT_THROW(SetPulseCode(five, 6, 1), std::out_of_range);
  EXPECT_THROW(SetOldColdWaterPressure(five, 3), std::logic_error);
  EXPECT_THROW(SetColdWaterPressureTenths(old, 30), std::logic_error);
  EXPECT_THROW(SetDiameterGroup(old, 1, 1), std::logic_error);
  for (uint8_t b : buffer.bytes) {
    ASSERT_EQ(b, 0);
  }
}

// code = round((1 + A t - B t^2) x 32768 / 1.59368 - offset), worked out by hand.
TEST(ThermometerCode, KnownAnswersForBothClasses) {
  struct Case {
    uint8_t familyCode;
    double celsius;
    int expected;
  };
  const Case cases[] = {
      {0, 70, 5409},   {1, 40, 3001},  // "1,391"
      {2, 70, 5326},   {3, 40, 2955},  // "1,385"
      {0, 3, 0},                       // 20805.93 - 20806 rounds to 0
      {0, 150, 11727}, {3, 150, 11546},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ThermometerCode(c.familyCode, c.celsius), c.expected)
        << int(c.familyCode) << " " << c.celsius;
  }
}

// The agreed temperatures the tool accepts (3 to 150 degrees) come back from the instrument's
// table within a step of its resolution.
TEST(ThermometerCode, DecodesBackThroughTheInstrumentsTable) {
  for (uint8_t family = 0; family <= 3; ++family) {
    for (double t = 3; t <= 150; t += 0.25) {
      const int code = ThermometerCode(family, t);
      const double back = CodeToTemperature(TemperatureTableIndex(family), code);
      ASSERT_NEAR(back, t, 0.1) << int(family) << " " << t;
    }
  }
}

// h = round((109700 t + 2510 P + 4100) / d) above 7 degrees, else
// round((110170 t + 2575 P - 200) / d); d = 256 for GJ, 1071.8208 for Gcal.
TEST(ColdWaterEnthalpy, KnownAnswers) {
  struct Case {
    double celsius;
    int pressure;
    bool gcal;
    int expected;
  };
  const Case cases[] = {
      {15, 3, true, 1546},    // 1657130 / 1071.8208 = 1546.09
      {5, 3, true, 521},      // 558375 / 1071.8208 = 520.96
      {15, 3, false, 6473},   // 1657130 / 256 = 6473.16
      {7, 1, false, 3022},    // 7 is not above 7: 773565 / 256 = 3021.74
      {7.5, 1, false, 3240},  // 829360 / 256 = 3239.69
      {7, 14, false, 3152},   // 807040 / 256 = 3152.5, a tie: to even
      {14, 14, false, 6152},  // 1575040 / 256 = 6152.5, a tie: to even
      {25.5, 16, false, 11100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColdWaterEnthalpyCode(c.celsius, c.pressure, c.gcal), c.expected)
        << c.celsius << " " << c.pressure << " " << c.gcal;
  }
}

}  // namespace
}  // namespace vrx
