#include <gtest/gtest.h>

#include <vector>

#include "init/InitTabTestSupport.h"

namespace vrx {
namespace {

using test::InitTab;
using Channels = std::vector<int>;

bool ColumnShown(InitTab& tab, ChannelField field) {
  return tab.c().DBGrid1.ColumnVisible(ChannelsTable::GridColumnOf(field));
}

TEST(InitWorkspace, StartSelectsTheTwentyThirdTypeAndPreparesTheTab) {
  InitTab tab;
  const InitTabControls& c = tab.c();
  ASSERT_EQ(c.cbDeviceType.items.size(), 34);
  EXPECT_EQ(c.cbDeviceType.Text(), "VRX-L12-1.0");
  EXPECT_EQ(tab.state.SubVersion, 30);
  EXPECT_EQ(c.cbCountingScheme.items, QStringList({"1", "2", "3", "4", "5", "6", "7"}));
  EXPECT_EQ(c.cbCountingScheme.index, 0);
  ASSERT_NE(tab.ws.Selection().scheme, nullptr);
  EXPECT_EQ(tab.ws.Selection().scheme->SchemeNumber, 1u);
  // Scheme 1 of the VRX-L12: flow and temperature on 1, temperature on 2, the optional channel 3
  // off; no cold water.
  EXPECT_EQ(tab.Channels(), Channels({1, 2}));
  EXPECT_FALSE(c.cwGroup.visible);
  EXPECT_TRUE(c.GroupBox2.visible);
  EXPECT_TRUE(c.bbInitialize.visible);

  // The initial values of the controls no handler touches.
  EXPECT_EQ(c.DevNoEdit.text, "1");
  EXPECT_EQ(c.DevNoEdit.maxLength, 5);
  EXPECT_EQ(c.tcwPressureEdit.maxLength, 4);
  EXPECT_EQ(c.cbWinterDst.Text(), "Октябрь");
  EXPECT_EQ(c.cbSummerDst.Text(), "Март");
}

TEST(InitWorkspace, TheModelDecidesWhichControlsAreOffered) {
  const struct {
    const char* type;
    bool oldFormat;  // wLab, plLC and the hidden new-format controls
    const char* wLab;
    bool n5;
    bool usePresetP;
    bool circuits;  // DBGrid2 and the columns gmintest, gth
    const char* third;
  } cases[] = {
      {"VRX-L1-1.1", true, "= 1,391", false, false, false, "Включить четвёртый канал"},
      {"VRX-L1-1.2", true, "= 1,385", false, false, false, "Включить четвёртый канал"},
      {"VRX-L2-2.1", false, nullptr, false, false, false, "Включить третий канал"},
      {"VRX-L3-1.2", false, nullptr, false, false, false, "Включить пятый канал"},
      {"VRX-L5-2.0", false, nullptr, true, false, false, "Включить пятый канал"},
      {"VRX-L5-1.1", false, nullptr, true, true, false, "Включить пятый канал"},
      {"VRX-L12-2.0", false, nullptr, false, false, true, "Включить третий канал"},
      {"VRX-L13-1.0", false, nullptr, false, false, true, "Включить пятый канал"},
  };
  InitTab tab;
  for (const auto& k : cases) {
    SCOPED_TRACE(k.type);
    tab.Type(k.type);
    const InitTabControls& c = tab.c();
    EXPECT_EQ(c.wLab.visible, k.oldFormat);
    if (k.oldFormat) {
      EXPECT_EQ(c.wLab.caption, QString::fromUtf8(k.wLab));
    }
    EXPECT_EQ(c.plLC.visible, k.oldFormat);
    EXPECT_EQ(c.cbTermType.visible, !k.oldFormat);
    EXPECT_EQ(ColumnShown(tab, ChannelField::Dy), !k.oldFormat);
    EXPECT_EQ(ColumnShown(tab, ChannelField::TestOfLine), !k.oldFormat);
    EXPECT_EQ(ColumnShown(tab, ChannelField::gmin), !k.oldFormat);
    EXPECT_EQ(c.plN5.visible, k.n5);
    EXPECT_EQ(c.cbUsePresetP.visible, k.usePresetP);
    EXPECT_EQ(c.DBGrid2.visible, k.circuits);
    EXPECT_EQ(ColumnShown(tab, ChannelField::gmintest), k.circuits);
    EXPECT_EQ(ColumnShown(tab, ChannelField::gth), k.circuits);
    EXPECT_EQ(c.cbThirdChannel.caption, QString::fromUtf8(k.third));
  }
}

TEST(InitWorkspace, VrxL5ListsTheFVariantRightAfterItsScheme) {
  InitTab tab;
  tab.Type("VRX-L5-1.0");
  const QStringList& items = tab.c().cbCountingScheme.items;
  const auto plain = items.indexOf("15");
  ASSERT_GE(plain, 0);
  EXPECT_EQ(items.value(plain + 1), "F15");

  tab.c().cbgth.index = 1;
  tab.Scheme("F15");
  EXPECT_EQ(tab.ws.Selection().scheme->SchemeNumber, 15u);
  EXPECT_TRUE(tab.ws.Selection().fVariant);
  EXPECT_EQ(tab.c().cbgth.Text(), "Есть");
  EXPECT_FALSE(tab.c().cbgth.enabled);
  EXPECT_TRUE(tab.c().plReaction.visible);

  tab.Scheme("15");
  EXPECT_EQ(tab.ws.Selection().scheme->SchemeNumber, 15u);
  EXPECT_FALSE(tab.ws.Selection().fVariant);
  EXPECT_TRUE(tab.c().cbgth.enabled);
  EXPECT_FALSE(tab.c().plReaction.visible);

  // The same scheme list without "F" items on a VRX-L3.
  tab.Type("VRX-L3-1.0");
  EXPECT_EQ(tab.c().cbCountingScheme.items.size(), 27);
  EXPECT_TRUE(tab.c().cbCountingScheme.items.filter("F").isEmpty());
}

TEST(InitWorkspace, RowsFollowTheSchemeAndTheOptionalChannelBox) {
  const struct {
    const char* type;
    const char* scheme;
    Channels unchecked;
    Channels checked;
  } cases[] = {
      // Channel 3 is not part of the scheme; channel 4 is the optional one.
      {"VRX-L1-1.1", "17", {1, 2}, {1, 2, 4}},
      {"VRX-L13-2.2", "15", {1, 2}, {1, 2, 5}},
      {"VRX-L2-1.0", "5", {1}, {1, 3}},
      // Fixed last channel: the box changes nothing.
      {"VRX-L1-2.1", "10", {1, 2, 3, 4}, {1, 2, 3, 4}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.type) + " scheme " + k.scheme);
    InitTab tab;
    tab.Type(k.type);
    tab.Third(false);
    tab.Scheme(k.scheme);
    EXPECT_EQ(tab.Channels(), k.unchecked);
    EXPECT_EQ(tab.c().plThirdChannel.visible, k.unchecked != k.checked);
    // Checking twice adds the row once; unchecking twice removes only the optional row.
    tab.Third(true);
    tab.Third(true);
    EXPECT_EQ(tab.Channels(), k.checked);
    EXPECT_EQ(tab.channels().CurrentRow(), 0);
    tab.Third(false);
    tab.Third(false);
    EXPECT_EQ(tab.Channels(), k.unchecked);
    // Each rebuild starts from the default row values.
    const ChannelRow& first = tab.channels().Row(0);
    EXPECT_EQ(first.Ticks, 1);
    EXPECT_EQ(first.TemperaturePreset, 50);
    EXPECT_EQ(first.PressurePreset, 5);
  }
}

TEST(InitWorkspace, ChangingTheModelKeepsTheSchemeItemWhenTheNewListIsLongEnough) {
  InitTab tab;
  tab.Type("VRX-L13-2.2");
  tab.Scheme("26");
  tab.Type("VRX-L3-2.2");
  EXPECT_EQ(tab.c().cbCountingScheme.Text(), "26");
  EXPECT_EQ(tab.ws.Selection().scheme->SchemeNumber, 26u);
  tab.Type("VRX-L12-2.2");
  EXPECT_EQ(tab.c().cbCountingScheme.index, 0);
  EXPECT_EQ(tab.ws.Selection().scheme->SchemeNumber, 1u);
}

TEST(InitWorkspace, VolumeHidesTheAgreedColumnsOnlyWhereTheSchemeOffersTheChoice) {
  InitTab tab;
  tab.Type("VRX-L1-2.1");
  tab.Scheme("1");  // mass or volume
  EXPECT_FALSE(tab.c().cbQWDim.visible);
  EXPECT_TRUE(tab.c().cbGGoDim.visible);
  tab.c().cbGGoDim.index = 1;
  tab.ws.cbGGoDimChange();
  for (ChannelField f : {ChannelField::PresettingTemperature, ChannelField::TemperaturePreset,
                         ChannelField::PressurePreset}) {
    EXPECT_FALSE(ColumnShown(tab, f));
  }
  tab.Scheme("2");
  EXPECT_TRUE(tab.c().cbQWDim.visible);
  EXPECT_FALSE(tab.c().cbGGoDim.visible);
  EXPECT_TRUE(ColumnShown(tab, ChannelField::PressurePreset));
}

TEST(InitWorkspace, AWaterMeterAsOptionalChannelMeasuresVolumeInCoarserPulses) {
  InitTab tab;
  tab.Type("VRX-L1-1.1");
  tab.Scheme("17");
  tab.Third(false);
  EXPECT_FALSE(tab.c().cbLCType.enabled);
  EXPECT_FALSE(tab.c().cbLCMeasurement.enabled);
  tab.Third(true);
  EXPECT_TRUE(tab.c().cbLCType.enabled);
  EXPECT_EQ(tab.Cell(4, ChannelField::PresettingTemperature), "Измеряемая");

  tab.c().cbLCType.index = 0;  // "Водосчётчик"
  tab.ws.cbLCTypeChange();
  EXPECT_FALSE(tab.c().cbLCMeasurement.enabled);
  EXPECT_EQ(tab.c().cbLCMeasurement.Text(), "Измерение объема, м3 (м3/ч)");
  EXPECT_EQ(tab.Cell(4, ChannelField::PresettingTemperature), "----");
  EXPECT_EQ(tab.Cell(4, ChannelField::PressurePreset), "----");
  EXPECT_EQ(tab.Cell(4, ChannelField::Ticks), "0,1 м3/имп");
  EXPECT_EQ(tab.Cell(1, ChannelField::Ticks), "0,01 м3/имп");
  tab.channels().SetCurrentRow(tab.RowOf(4));
  EXPECT_EQ(tab.channels().PickList(ChannelField::Ticks),
            QStringList({"0,01 м3/имп", "0,1 м3/имп", "1 м3/имп"}));

  tab.c().cbLCType.index = 1;
  tab.ws.cbLCTypeChange();
  EXPECT_TRUE(tab.c().cbLCMeasurement.enabled);
  tab.c().cbLCMeasurement.index = 0;
  tab.ws.cbLCMeasurementChange();
  EXPECT_EQ(tab.Cell(4, ChannelField::PressurePreset), "5");
  EXPECT_EQ(tab.channels().CurrentRow(), tab.RowOf(4));
}

TEST(InitWorkspace, TheMeasurementListLeavesChannelsOtherThanTheOptionalOneAlone) {
  // VRX-L1 scheme 10 fixes channel 4, which measures temperature; the kind lists stay enabled.
  InitTab tab;
  tab.Type("VRX-L1-2.1");
  tab.Scheme("10");
  tab.c().cbLCType.index = 0;
  tab.ws.cbLCTypeChange();
  EXPECT_EQ(tab.Cell(4, ChannelField::PresettingTemperature), "Измеряемая");

  // Nor does it reach the optional channel of a new-format model, which measures flow only.
  tab.Type("VRX-L2-1.0");
  tab.Scheme("6");
  tab.Third(true);
  tab.c().cbLCMeasurement.index = 0;
  tab.ws.cbLCMeasurementChange();
  EXPECT_EQ(tab.Cell(3, ChannelField::PressurePreset), "----");
}

TEST(InitWorkspace, EachHandlerNotifiesOnceAndASchemeChangeRefreshesThePicture) {
  InitTab tab;
  int notifications = 0;
  std::vector<uint32_t> pictures;  // the scheme selected at each refresh of the picture
  QObject::connect(&tab.ws, &InitWorkspace::changed, [&] { ++notifications; });
  tab.ws.SetSchemePictureHook([&] {
    const TSchemeRecord* scheme = tab.ws.Selection().scheme;
    pictures.push_back(scheme != nullptr ? scheme->SchemeNumber : 0);
  });
  // Another type keeps the list position: the first scheme of the VRX-L13.
  tab.Type("VRX-L13-2.2");
  EXPECT_EQ(notifications, 1);
  EXPECT_EQ(pictures, std::vector<uint32_t>{1});
  tab.Scheme("24");
  EXPECT_EQ(notifications, 2);
  EXPECT_EQ(pictures, (std::vector<uint32_t>{1, 24}));
  // A cell edit changes no scheme.
  tab.Enter(1, ChannelField::Dy, "50...100");
  EXPECT_EQ(notifications, 3);
  EXPECT_EQ(pictures.size(), 2u);
}

}  // namespace
}  // namespace vrx
