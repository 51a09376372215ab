#include <gtest/gtest.h>

#include "init/InitTabTestSupport.h"
#include "model/EValidation.h"

namespace vrx {
namespace {

using test::InitTab;
using F = ChannelField;

TEST(ChannelsTable, ThePulseValueListFollowsTheDiameterGroup) {
  InitTab tab;
  tab.Type("VRX-L2-1.0");
  tab.Scheme("6");
  tab.Enter(1, F::Dy, "50...100");
  tab.channels().SetCurrentRow(tab.RowOf(1));
  EXPECT_EQ(tab.channels().PickList(F::Ticks),
            QStringList({"0,01 м3/имп", "0,05 м3/имп", "0,1 м3/имп"}));
  tab.Enter(1, F::Ticks, "0,05 м3/имп");
  EXPECT_EQ(tab.channels().Row(tab.RowOf(1)).Ticks, 2);
  // A text of another group matches nothing and changes nothing.
  tab.Enter(1, F::Ticks, "0,005 м3/имп");
  tab.Enter(1, F::Dy, "40...50");
  EXPECT_EQ(tab.channels().Row(tab.RowOf(1)).Ticks, 2);
  EXPECT_EQ(tab.Cell(1, F::Dy), "50...100");
}

TEST(ChannelsTable, ADiameterChangeKeepsThePulseCodeAndResnapsTheThreshold) {
  InitTab tab;
  tab.Type("VRX-L5-1.0");
  tab.Scheme("7");
  // VRX-L5, code 1: the instrument stores count - 1 with count >= 8 and threshold
  // litres * 3.6 / count. The default 225 m3/h at 1 litre gives the smallest count: 3.6 / 8.
  EXPECT_EQ(tab.Cell(1, F::gmin), "0,45");
  tab.Enter(1, F::Dy, "125...300");
  EXPECT_EQ(tab.Cell(1, F::Ticks), "0,1 м3/имп");
  EXPECT_EQ(tab.channels().Row(tab.RowOf(1)).Ticks, 1);
  // 0,45 m3/h at 100 litres would need count 800; the largest is 255: 360 / 255.
  EXPECT_EQ(tab.Cell(1, F::gmin), "1,4");
  tab.channels().SetCurrentRow(tab.RowOf(1));
  EXPECT_EQ(tab.channels().PickList(F::Ticks).front(), "0,1 м3/имп");
}

TEST(ChannelsTable, AgreedTemperatureAndPressureAreCheckedAsTheyAreTyped) {
  const struct {
    const char* type;
    const char* scheme;
    F field;
    const char* text;
    const char* shown;    // the cell afterwards
    const char* refused;  // the message, nullptr when the value is taken
  } cases[] = {
      {"VRX-L2-1.0", "6", F::TemperaturePreset, "200", "50",
       "Договорное значение температуры должно быть числом от 1 до 150"},
      {"VRX-L2-1.0", "6", F::TemperaturePreset, "150", "150", nullptr},
      {"VRX-L2-1.0", "6", F::TemperaturePreset, " 70.25", "70,25", nullptr},
      {"VRX-L1-1.1", "17", F::TemperaturePreset, "2", "50",
       "Договорное значение температуры должно быть числом от 3 до 150"},
      {"VRX-L1-1.1", "17", F::PressurePreset, "0", "5",
       "Давление воды должно быть целым числом от 1 до 16"},
      {"VRX-L3-1.0", "7", F::PressurePreset, "0", "0", nullptr},
      {"VRX-L3-1.0", "7", F::PressurePreset, "16,5", "5",
       "Давление воды должно быть числом от 0 до 16,0"},
      // A text that is no number is refused rather than stored as zero.
      {"VRX-L3-1.0", "7", F::PressurePreset, "abc", "5",
       "Давление воды должно быть числом от 0 до 16,0"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.type) + " " + k.text);
    InitTab tab;
    tab.Type(k.type);
    tab.Scheme(k.scheme);
    tab.Enter(1, F::PresettingTemperature, "Договорная");
    try {
      tab.Enter(1, k.field, QString::fromUtf8(k.text));
      EXPECT_EQ(k.refused, nullptr);
    } catch (const EValidation& error) {
      ASSERT_NE(k.refused, nullptr) << error.message().toStdString();
      EXPECT_EQ(error.message(), QString::fromUtf8(k.refused));
      EXPECT_EQ(error.FocusControl(), "DBGrid1");
    }
    EXPECT_EQ(tab.Cell(1, k.field), QString::fromUtf8(k.shown));
  }
}

TEST(ChannelsTable, TheNewFormatHasOneAgreedTemperatureFlagForAllRows) {
  InitTab tab;
  tab.Type("VRX-L3-1.0");
  tab.Scheme("7");
  tab.channels().SetCurrentRow(tab.RowOf(2));
  tab.Enter(2, F::PresettingTemperature, "Договорная");
  for (int channel : {1, 2, 3})
    EXPECT_EQ(tab.Cell(channel, F::PresettingTemperature), "Договорная") << channel;
  EXPECT_EQ(tab.channels().CurrentRow(), tab.RowOf(2));

  tab.Type("VRX-L1-1.1");
  tab.Scheme("17");
  tab.Enter(2, F::PresettingTemperature, "Договорная");
  EXPECT_EQ(tab.Cell(1, F::PresettingTemperature), "Измеряемая");
  EXPECT_EQ(tab.Cell(2, F::PresettingTemperature), "Договорная");
}

TEST(ChannelsTable, CellsThatDoNotApplyShowDashesAndAreNotEditable) {
  InitTab tab;
  tab.Type("VRX-L13-2.2");
  tab.Scheme("5");  // channel 2 measures temperature and pressure only
  for (F field : {F::Dy, F::Ticks, F::TestOfLine, F::gmin, F::gmintest, F::gth}) {
    EXPECT_EQ(tab.Cell(2, field), "----");
    EXPECT_FALSE(tab.channels().Editable(tab.RowOf(2), field));
  }
  EXPECT_EQ(tab.Cell(2, F::TemperaturePreset), "----");  // measured
  EXPECT_TRUE(tab.channels().Editable(tab.RowOf(2), F::PressurePreset));
  EXPECT_FALSE(tab.channels().Editable(tab.RowOf(1), F::ChannelNo));
  tab.Third(true);
  // The optional channel counts flow but has no threshold.
  EXPECT_EQ(tab.Cell(5, F::gmin), "----");
  EXPECT_EQ(tab.Cell(5, F::Ticks), "0,001 м3/имп");
}

TEST(ChannelsTable, RowsAreNeitherInsertedNorDeletedWhileTheEditingFlagIsClear) {
  InitTab tab;
  ChannelsTable& channels = tab.channels();
  const std::vector<ChannelRow> before = channels.Rows();
  EXPECT_FALSE(channels.cdsChannelsBeforeInsert());
  EXPECT_FALSE(channels.cdsChannelsBeforeDelete());
  EXPECT_FALSE(tab.ws.cdsCircuitsBeforeInsert());
  EXPECT_FALSE(tab.ws.cdsCircuitsBeforeDelete());
  EXPECT_FALSE(channels.AppendRow(ChannelRow{}));
  EXPECT_FALSE(channels.DeleteRow(0));
  EXPECT_FALSE(channels.Empty());
  EXPECT_EQ(channels.Rows(), before);

  {
    TableEditingFlag::Scope editing(tab.ws.Editing());
    EXPECT_TRUE(tab.ws.cdsCircuitsBeforeDelete());
    EXPECT_TRUE(channels.DeleteRow(0));
  }
  EXPECT_EQ(channels.RowCount(), static_cast<int>(before.size()) - 1);
  EXPECT_FALSE(channels.cdsChannelsBeforeInsert());
}

TEST(ChannelsTable, TheMinimumFlowListDividesTheThreshold) {
  InitTab tab;
  tab.Type("VRX-L12-2.2");
  tab.Scheme("3");
  tab.Enter(1, F::Ticks, "0,005 м3/имп");
  // 5 litres per pulse: 0,5 m3/h is the count 36, which the VRX-L12 stores exactly.
  tab.Enter(1, F::gmin, "0.5");
  tab.channels().SetCurrentRow(tab.RowOf(1));
  EXPECT_EQ(tab.channels().PickList(F::gth), QStringList({"0,50", "0,25", "0,17", "0,13"}));
  tab.Enter(1, F::gth, "0,17");
  EXPECT_EQ(tab.channels().Row(tab.RowOf(1)).gth, 2);
  EXPECT_EQ(tab.Cell(1, F::gth), "0,17");
  EXPECT_EQ(tab.Cell(1, F::gmin), "0,50");
}

TEST(ChannelsTable, TheLineTestAppliesByModelPulseValueAndOptionalChannel) {
  InitTab tab;
  tab.Type("VRX-L2-1.0");
  tab.Scheme("6");
  tab.Third(true);
  EXPECT_EQ(tab.Cell(1, F::TestOfLine), "Есть");
  tab.Enter(1, F::TestOfLine, "Нет");
  EXPECT_EQ(tab.Cell(1, F::TestOfLine), "Нет");
  tab.Enter(1, F::Ticks, "0,005 м3/имп");
  EXPECT_EQ(tab.Cell(1, F::TestOfLine), "----");
  tab.Enter(1, F::TestOfLine, "Есть");
  EXPECT_TRUE(tab.channels().Row(tab.RowOf(1)).TestOfLine);
  EXPECT_EQ(tab.Cell(3, F::TestOfLine), "----");

  // A VRX-L3 with a firmware sub-version shows it everywhere, but keeps the optional channel's.
  tab.Type("VRX-L3-1.0");
  tab.Scheme("7");
  tab.Third(true);
  EXPECT_EQ(tab.Cell(5, F::TestOfLine), "Есть");
  tab.Enter(5, F::TestOfLine, "Нет");
  EXPECT_EQ(tab.Cell(5, F::TestOfLine), "Есть");
  tab.state.SubVersion = 0;
  EXPECT_EQ(tab.Cell(5, F::TestOfLine), "----");

  tab.Type("VRX-L13-1.0");
  tab.Scheme("7");
  tab.Third(true);
  tab.Enter(5, F::TestOfLine, "Нет");
  EXPECT_EQ(tab.Cell(5, F::TestOfLine), "Нет");
}

}  // namespace
}  // namespace vrx
