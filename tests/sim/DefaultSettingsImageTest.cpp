#include "sim/DefaultSettingsImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "image/SettingsCheck.h"
#include "image/SettingsFields.h"
#include "image/ThresholdFields.h"
#include "init/CircuitsTable.h"
#include "model/ChannelFlags.h"
#include "model/FlowThreshold.h"
#include "model/NumberHelpers.h"
#include "model/TemperatureCode.h"
#include "sim/HeatCalculator.h"
#include "support/WorkspaceTestSupport.h"

namespace vrx::sim {
namespace {

// What the tool finds in the image of a fresh emulated instrument, decoded with the workspace's
// own field readers and checked against the valid ranges of each field.
class FreshImage : public testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    // The emulator's sub-version byte 0x12 identifies as 21.
    state_ = test::StateFor(GetParam(), 21);
    HeatCalculator calculator({.typeIndex = GetParam()});
    const std::vector<uint8_t> image = calculator.Image();
    ASSERT_EQ(static_cast<int>(image.size()), (*state_.Layout)[Length]);
    std::copy(image.begin(), image.end(), buffer_.bytes.begin());
    const int position = SchemeLookup(*state_.Family, *state_.DeviceType, SchemeCodeByte(image_));
    state_.DeviceScheme = &state_.Family->Schemes[static_cast<size_t>(position - 1)];
  }

  const TDeviceRecord& Type() const { return *state_.DeviceType; }
  uint32_t Flags() const { return state_.DeviceScheme->Flags; }
  int Channels() const { return state_.Family->ChannelCount; }

  ConnectionState state_;
  InstrumentBuffer buffer_ = test::Filled(0);
  SettingsImage image_{buffer_, state_};
};

TEST_P(FreshImage, CommonFieldsAreWithinTheirRanges) {
  EXPECT_TRUE(SettingsImageFaults(image_).isEmpty());
  EXPECT_EQ(DeviceNumber(image_), 1234);
  EXPECT_GE(NetworkAddressByte(image_), 1);
  EXPECT_LE(NetworkAddressByte(image_), 62);
  const SeasonMonths months = SwitchMonths(image_);
  EXPECT_GE(months.summer, 1);
  EXPECT_LE(months.summer, 12);
  EXPECT_GE(months.winter, 1);
  EXPECT_LE(months.winter, 12);
  EXPECT_NE(months.summer, months.winter);
  // The schemes chosen have cold water.
  ASSERT_EQ(Flags() & kFlagNoColdWater, 0u);
  for (Season season : {Season::Summer, Season::Winter}) {
    EXPECT_GE(ColdWaterTenths(image_, season), 20);
  }
  const int pressure =
      image_.OldFormat() ? OldColdWaterPressure(image_) * 10 : ColdWaterPressureTenths(image_);
  EXPECT_GE(pressure, 0);
  EXPECT_LE(pressure, 160);
  // A readable time stamp and cleared counters.
  EXPECT_NO_THROW(BcdToStr(buffer_.data() + image_.FieldPos(InitTime) - 1, 10));
  for (SettingsField start : {Tp1, Tp5}) {
    const int first = image_.FieldPos(start);
    const int count = image_.FieldPos(start == Tp1 ? CounterRegion1Length : CounterRegion2Length);
    for (int p = first; p < first + count; ++p) {
      EXPECT_EQ(image_.Byte(p), 0) << "counter byte " << p;
    }
  }
  // The RTC correction byte, kept by initialization, is a BCD value of at most 20.
  const uint8_t rtc = image_.Byte(image_.FieldPos(RtcCorrection));
  EXPECT_LE(BcdToByte(rtc & 0x3F), 20);
}

TEST_P(FreshImage, ChannelsAreWithinTheirRanges) {
  for (int channel = 1; channel <= Channels(); ++channel) {
    SCOPED_TRACE(channel);
    const int code = PulseCode(image_, channel);
    if (ChannelHasFlow(channel, Flags())) {
      EXPECT_LE(code, image_.OldFormat() ? 2 : 3);
      if (!image_.OldFormat()) {
        EXPECT_GE(code, 1);
        EXPECT_LE(DiameterGroup(image_, channel), 2);
      }
    }
    const bool presets = image_.OldFormat() || channel < Channels();
    if (!presets) {
      continue;
    }
    const uint16_t word = AgreedTemperatureWord(image_, channel);
    const double celsius = image_.OldFormat()
                               ? CodeToTemperature(TemperatureTableIndex(Type().Code), word)
                               : word / 80.0;
    EXPECT_GE(celsius, image_.OldFormat() ? 3 : 1);
    EXPECT_LE(celsius, 150);
    const int pressure = AgreedPressureByte(image_, channel);
    EXPECT_GE(pressure, image_.OldFormat() ? 1 : 0);
    EXPECT_LE(pressure, image_.OldFormat() ? 16 : 160);
  }
  // The last channel is on: by the scheme, or where it is optional by bit 5 of the options byte
  // (VRX-L1) or a pulse-value code in its own byte.
  if (IsOptionalChannel(Channels(), Flags(), Channels())) {
    if (image_.OldFormat())
      EXPECT_NE(image_.Byte(image_.FieldPos(Options)) & 0x20, 0);
    else
      EXPECT_NE(image_.Byte(image_.FieldPos(ChannelBytes) + Channels() - 1) & 3, 0);
  } else {
    EXPECT_TRUE(ChannelUsed(Channels(), Flags()));
  }
}

class FreshOldImage : public FreshImage {};
class FreshNewImage : public FreshImage {};
class FreshCircuitImage : public FreshImage {};

TEST_P(FreshOldImage, EnthalpiesFollowTheColdWater) {
  const int pressure = OldColdWaterPressure(image_);
  const bool gcal = HeatUnitGcal(image_);
  for (Season season : {Season::Summer, Season::Winter}) {
    EXPECT_EQ(OldColdWaterEnthalpy(image_, season),
              ColdWaterEnthalpyCode(ColdWaterTenths(image_, season) / 10.0, pressure, gcal));
  }
}

TEST_P(FreshNewImage, ThresholdsAreSnappedCodesWithMatchingDisplays) {
  for (int channel = 1; channel < Channels(); ++channel) {
    SCOPED_TRACE(channel);
    const int group = DiameterGroup(image_, channel);
    const int code = PulseCode(image_, channel);
    const uint8_t stored = ThresholdCode(image_, channel);
    const double threshold = DecodeFlowThreshold(Type(), group, code, stored);
    EXPECT_GT(threshold, 0);
    EXPECT_EQ(EncodeFlowThreshold(Type(), state_.SubVersion, group, code, threshold), stored);
    if (HasThresholdDisplay(image_)) {
      EXPECT_EQ(ThresholdDisplayAt(image_, channel), ThresholdDisplayOf(threshold));
    }
  }
}

TEST_P(FreshCircuitImage, SettingsSurviveReadingAndWriting) {
  CircuitsTable table;
  table.Rebuild(state_.DeviceScheme);
  table.ReadFromImage(image_);
  InstrumentBuffer copy = buffer_;
  SettingsImage rewritten(copy, state_);
  table.WriteToImage(rewritten);
  EXPECT_EQ(copy.bytes, buffer_.bytes);
  // Something is actually tested for.
  EXPECT_NE(table.Text(4, CircuitColumn::Circuit1R), QStringLiteral("----"));
}

std::string TypeName(const testing::TestParamInfo<int>& info) {
  std::string name = DeviceTypeAt(info.param).Name;
  std::replace(name.begin(), name.end(), '-', '_');
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
}

// Types 1..4 are the VRX-L1 versions, 23..34 the VRX-L12 and VRX-L13 ones.
INSTANTIATE_TEST_SUITE_P(EveryType, FreshImage, testing::Range(1, kTypeCount + 1), TypeName);
INSTANTIATE_TEST_SUITE_P(VrxL1, FreshOldImage, testing::Range(1, 5), TypeName);
INSTANTIATE_TEST_SUITE_P(NewFormat, FreshNewImage, testing::Range(5, kTypeCount + 1), TypeName);
INSTANTIATE_TEST_SUITE_P(VrxL12AndL13, FreshCircuitImage, testing::Range(23, kTypeCount + 1),
                         TypeName);

}  // namespace
}  // namespace vrx::sim
