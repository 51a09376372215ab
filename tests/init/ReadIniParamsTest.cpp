#include <gtest/gtest.h>

#include <QJsonArray>
#include <QLocale>
#include <memory>

#include "init/ReadIniParams.h"
#include "init/WorkspaceForm.h"
#include "sim/DefaultSettingsImage.h"
#include "support/EmulatedLink.h"
#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

using F = ChannelField;
using Channels = std::vector<int>;

// A workspace after start-up, reading from an emulated instrument over a pseudo-terminal.
struct Reading {
  std::unique_ptr<test::EmulatedLink> line;
  std::unique_ptr<InitWorkspace> ws;

  explicit Reading(int typeIndex, uint8_t subVersionByte = 0x12) {
    sim::HeatCalculatorConfig config;
    config.typeIndex = typeIndex;
    config.subVersionByte = subVersionByte;
    line = test::EmulatedLink::HeatCalculator(config);
    ws = std::make_unique<InitWorkspace>(line->state);
    ws->Start();
  }
  // Changes bytes of the instrument's default image at 1-based positions.
  void Patch(std::initializer_list<std::pair<int, uint8_t>> bytes) {
    std::vector<uint8_t> image = sim::DefaultSettingsImage(DeviceTypeAt(typeIndex()));
    for (const auto& [position, value] : bytes)
      image.at(static_cast<size_t>(position - 1)) = value;
    line->Device().SetImage(image);
  }
  void Read() { ReadIniParams(*ws, line->link, line->state, line->buffer); }

  int typeIndex() const { return static_cast<sim::HeatCalculator&>(line->Device()).TypeIndex(); }
  InitTabControls& c() { return ws->Controls(); }
  Channels ChannelNumbers() const {
    Channels numbers;
    for (const ChannelRow& row : ws->cdsChannels().Rows())
      numbers.push_back(row.ChannelNo);
    return numbers;
  }
  QString Cell(int channelNo, F field) const {
    const ChannelsTable& channels = ws->cdsChannels();
    return channels.Text(channels.FindChannel(channelNo), field);
  }
};

// What each model's default instrument (sim/DefaultSettingsImage.cpp) reads as: number 1234,
// address 1, cold water 15,0 / 5,0 degrees, April and October, heat in Gcal.
TEST(ReadIniParams, FillsTheTabFromAnInstrumentOfEachModel) {
  const struct {
    int typeIndex;
    const char* scheme;
    Channels channels;
    const char* pressure;  // cold-water pressure
    const char* ticks1;
    const char* pressure1;
    const char* gmin1;  // "----" where the model has none
    const char* gmin3;
    bool stableForm;  // the form reapplied onto a fresh tab gives the same form
  } cases[] = {
      // Code 16: scheme 17; pressure byte 2 + 1; channel 4 is a water meter, so it is read with
      // the coarser pulse value and as volume.
      {1, "17", {1, 2, 4}, "3", "0,01 м3/имп", "6", "----", "----", true},
      // Code 5: scheme 6; thresholds 1 litre * 3,6 / (16 * 9).
      {5, "6", {1, 2, 3}, "3", "0,001 м3/имп", "6", "0,025", "----", true},
      // Code 6: scheme 7; channel 3 in group 1; the nibble 9 gives 10 litres * 3,6 / 144.
      {11, "7", {1, 2, 3, 5}, "3", "0,001 м3/имп", "6", "0,025", "0,25", true},
      // Stored count - 1 = 35: 3,6 / 36 and 36 / 36.
      {17, "7", {1, 2, 3, 5}, "3", "0,001 м3/имп", "6", "0,10", "1,0", true},
      {28, "6", {1, 2, 3}, "3", "0,001 м3/имп", "6", "0,10", "----", true},
      // Channel 3 keeps count 73 (36 / 73 = 0,493), shown as "0,49"; typed back, "0,49" stands
      // for that threshold again rather than snapping to the next count (81: 0,44).
      {34, "7", {1, 2, 3, 5}, "3", "0,001 м3/имп", "6", "0,10", "0,49", true},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(DeviceTypeAt(k.typeIndex).Name);
    Reading r(k.typeIndex);
    r.Read();
    const InitTabControls& c = r.c();
    EXPECT_EQ(c.cbDeviceType.Text(), DeviceTypeAt(k.typeIndex).Name);
    EXPECT_EQ(c.cbCountingScheme.Text(), k.scheme);
    EXPECT_TRUE(c.GroupBox2.visible);
    EXPECT_EQ(r.ChannelNumbers(), k.channels);
    EXPECT_TRUE(c.cbThirdChannel.checked);
    EXPECT_EQ(c.DevNoEdit.text, "1234");
    EXPECT_EQ(c.DevAddrEdit.text, "1");
    EXPECT_EQ(c.summerTcwEdit.text, "15");
    EXPECT_EQ(c.winterTcwEdit.text, "5");
    EXPECT_EQ(c.tcwPressureEdit.text, k.pressure);
    EXPECT_EQ(c.cbSummerDst.Text(), "Апрель");
    EXPECT_EQ(c.cbWinterDst.Text(), "Октябрь");
    EXPECT_EQ(c.cbQWDim.index, 1);
    EXPECT_EQ(r.Cell(1, F::Ticks), k.ticks1);
    EXPECT_EQ(r.Cell(1, F::PresettingTemperature), "Измеряемая");
    EXPECT_EQ(r.Cell(1, F::PressurePreset), k.pressure1);
    if (DeviceTypeAt(k.typeIndex).Code > 3) {
      EXPECT_EQ(r.Cell(1, F::gmin), k.gmin1);
    }
    if (k.channels.size() > 3) {
      EXPECT_EQ(r.Cell(3, F::gmin), k.gmin3);
    }
    EXPECT_FALSE(r.ws->Editing().IsSet());

    const QJsonObject form = ToForm(*r.ws);
    ConnectionState state;
    InitWorkspace fresh(state);
    fresh.Start();
    ApplyForm(fresh, form);
    // The form does not carry the firmware sub-version, which some cells depend on.
    state.SubVersion = r.line->state.SubVersion;
    EXPECT_EQ(ToForm(fresh) == form, k.stableForm);
  }
}

TEST(ReadIniParams, OldFormatOptionsAndAgreedValues) {
  Reading r(test::kL1bType);  // VRX-L1-2.2, thermometer class "1,385"
  // Scheme code 16 (scheme 17); options: heat in GJ, channel 1 agreed, the optional channel on,
  // volume; the optional channel a FLX-2 transducer; the cold-water pressure byte 0x0F.
  const SettingsLayout& layout = *DeviceTypeAt(test::kL1bType).Layout;
  r.Patch({{layout[Options], 0x61}, {layout[TcwPressure], 0x0F}});
  r.Read();
  const InitTabControls& c = r.c();
  EXPECT_EQ(c.cbQWDim.index, 0);
  EXPECT_EQ(c.tcwPressureEdit.text, "16");
  EXPECT_EQ(c.cbLCType.index, 1);
  EXPECT_TRUE(c.cbLCMeasurement.enabled);
  EXPECT_EQ(c.cbLCMeasurement.index, 1);
  // Volume on the optional channel: no temperature there.
  EXPECT_EQ(r.Cell(4, F::PresettingTemperature), "----");
  EXPECT_EQ(r.Cell(4, F::Ticks), "0,01 м3/имп");
  EXPECT_EQ(r.Cell(1, F::PresettingTemperature), "Договорная");
  // Thermometer code 5326 of the "1,385" table stands for 70 degrees.
  EXPECT_NEAR(QLocale().toDouble(r.Cell(1, F::TemperaturePreset)), 70, 0.1);
  EXPECT_EQ(r.Cell(2, F::PresettingTemperature), "Измеряемая");
}

TEST(ReadIniParams, StoredValuesOutsideTheListsLeaveThemWithoutSelection) {
  Reading r(test::kL2Type);
  const SettingsLayout& layout = *DeviceTypeAt(test::kL2Type).Layout;
  // No network address, summer 5,5 degrees, months 4 and 13, cold-water pressure 2,5; the last
  // channel switched off (pulse value code 0).
  r.Patch({{layout[DevAddr], 0},
           {layout[Tcw], 55},
           {layout[Months], 0xD4},
           {layout[TcwPressure], 25},
           {layout[ChannelBytes] + 2, 0x80}});
  r.Read();
  const InitTabControls& c = r.c();
  EXPECT_EQ(c.DevAddrEdit.text, "");
  EXPECT_EQ(c.summerTcwEdit.text, "5,5");
  EXPECT_EQ(c.tcwPressureEdit.text, "2,5");
  EXPECT_EQ(c.cbSummerDst.Text(), "Апрель");
  EXPECT_EQ(c.cbWinterDst.index, -1);
  EXPECT_FALSE(c.cbThirdChannel.checked);
  EXPECT_EQ(r.ChannelNumbers(), Channels({1, 2}));
  EXPECT_EQ(ToForm(*r.ws).value("cbWinterDst"), QJsonValue(QJsonValue::Null));

  r.Patch({{layout[DevAddr], 62}});
  r.Read();
  EXPECT_EQ(c.DevAddrEdit.text, "62");
}

TEST(ReadIniParams, VrxL5SelectsTheFItemWhenTheInstrumentSaysSo) {
  Reading r(test::kL5Type);
  const SettingsLayout& layout = *DeviceTypeAt(test::kL5Type).Layout;
  // Scheme code 14 (scheme 15, compares channels 1 and 2); bit 4 of channel bytes 2, 4 and 5:
  // the "F" variant, no g < gпор control, reaction on the heat input.
  const int channels = layout[ChannelBytes];
  r.Patch({{layout[Scheme], 14}, {channels + 1, 0x11}, {channels + 3, 0x11}, {channels + 4, 0x11}});
  r.Read();
  EXPECT_EQ(r.c().cbCountingScheme.Text(), "F15");
  EXPECT_TRUE(r.ws->Selection().fVariant);
  EXPECT_TRUE(r.c().plReaction.visible);
  EXPECT_EQ(r.c().cbgth.Text(), "Нет");
  EXPECT_EQ(r.c().cbReaction.Text(), "Останов счёта по тепловому вводу");

  r.Patch({{layout[Scheme], 14}});
  r.Read();
  EXPECT_EQ(r.c().cbCountingScheme.Text(), "15");
}

TEST(ReadIniParams, SchemesTheListCannotShowLeaveTheGroupsHidden) {
  // A VRX-L13 before sub-version 30 with scheme 29 (code 28) stored: found, then taken off the
  // list.
  Reading old(test::kL13Type, 0x92);
  old.Patch({{(*DeviceTypeAt(test::kL13Type).Layout)[Scheme], 28}});
  old.Read();
  EXPECT_EQ(old.line->state.SubVersion, 29);
  EXPECT_EQ(old.c().cbCountingScheme.items.size(), 28);
  EXPECT_EQ(old.c().cbCountingScheme.index, -1);
  EXPECT_EQ(old.ws->Selection().scheme, nullptr);
  EXPECT_FALSE(old.c().GroupBox2.visible);
  EXPECT_FALSE(old.c().cwGroup.visible);
  EXPECT_FALSE(old.c().bbInitialize.visible);
  EXPECT_EQ(old.c().DevNoEdit.text, "1");  // nothing decoded

  // From sub-version 30 on the scheme stays.
  Reading recent(test::kL13Type, 0x03);
  recent.Patch({{(*DeviceTypeAt(test::kL13Type).Layout)[Scheme], 28}});
  recent.Read();
  EXPECT_EQ(recent.c().cbCountingScheme.Text(), "29");
  EXPECT_EQ(recent.c().DevNoEdit.text, "1234");

  // A code the model does not know.
  Reading unknown(test::kL2Type);
  unknown.Patch({{(*DeviceTypeAt(test::kL2Type).Layout)[Scheme], 99}});
  unknown.Read();
  EXPECT_EQ(unknown.c().cbCountingScheme.index, -1);
  EXPECT_FALSE(unknown.c().GroupBox2.visible);
}

}  // namespace
}  // namespace vrx
