#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "init/InitTabTestSupport.h"
#include "init/ValidateSettings.h"
#include "model/EValidation.h"
#include "model/FlowThreshold.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using test::InitTab;
using F = ChannelField;

// Direct access to a row's codes, as reading an instrument sets them.
ChannelRow& Stored(InitTab& tab, int channel) {
  return tab.channels().Fields(tab.RowOf(channel));
}

struct Case {
  const char* name;
  const char* type;
  const char* scheme;
  std::function<void(InitTab&)> edit;
  const char* message;     // nullptr: the tab passes
  const char* focus;       // "" where the focus stays
  int currentChannel = 0;  // the grid's current row afterwards, where it matters
};

// Every rule once, each on a tab that passes every rule before it.
TEST(ValidateSettings, EachRuleRefusesWithItsMessageAndFocus) {
  const QString grid = QStringLiteral("DBGrid1");
  const Case cases[] = {
      {"no scheme", "VRX-L2-1.0", "6",
       [](InitTab& t) {
         t.c().cbCountingScheme.index = -1;
         t.ws.CountingSchemeChanged();
       },
       "Не задан номер измерительной схемы", "cbCountingScheme"},
      {"device number 65535", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().DevNoEdit.text = "65535"; },
       nullptr, ""},
      {"device number 65536", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().DevNoEdit.text = "65536"; },
       "Номер прибора должен быть числом от 0 до 65535.", "DevNoEdit"},
      {"device number empty", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().DevNoEdit.text = ""; },
       "Номер прибора должен быть числом от 0 до 65535.", "DevNoEdit"},
      // The first violation wins.
      {"device number before address", "VRX-L2-1.0", "6",
       [](InitTab& t) {
         t.c().DevNoEdit.text = "-1";
         t.c().DevAddrEdit.text = "99";
       },
       "Номер прибора должен быть числом от 0 до 65535.", "DevNoEdit"},
      {"address blank", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().DevAddrEdit.text = "  "; },
       nullptr, ""},
      {"address 0", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().DevAddrEdit.text = "0"; },
       "Сетевой адрес должен быть числом от 1 до 62, либо отсутствовать.", "DevAddrEdit"},
      {"address 63", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().DevAddrEdit.text = "63"; },
       "Сетевой адрес должен быть числом от 1 до 62, либо отсутствовать.", "DevAddrEdit"},
      {"cold water 25.5", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().winterTcwEdit.text = "25.5"; },
       nullptr, ""},
      {"winter cold water 1,9", "VRX-L2-1.0", "6",
       [](InitTab& t) {
         t.c().winterTcwEdit.text = "1,9";
         t.c().summerTcwEdit.text = "30";
       },
       "Температура холодной воды должна быть числом от 2 до 25,5.", "winterTcwEdit"},
      {"summer cold water 25.6", "VRX-L2-1.0", "6",
       [](InitTab& t) { t.c().summerTcwEdit.text = "25.6"; },
       "Температура холодной воды должна быть числом от 2 до 25,5.", "summerTcwEdit"},
      {"cold water empty", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().summerTcwEdit.text = ""; },
       "Температура холодной воды должна быть числом от 2 до 25,5.", "summerTcwEdit"},
      {"cold-water pressure 16,5", "VRX-L2-1.0", "6",
       [](InitTab& t) { t.c().tcwPressureEdit.text = "16.5"; },
       "Давление воды должно быть числом от 0 до 16,0", "tcwPressureEdit"},
      {"cold-water pressure not a number", "VRX-L2-1.0", "6",
       [](InitTab& t) { t.c().tcwPressureEdit.text = ""; },
       "Давление воды должно быть числом от 0 до 16,0", "tcwPressureEdit"},
      {"VRX-L1 cold-water pressure 0", "VRX-L1-1.1", "17",
       [](InitTab& t) { t.c().tcwPressureEdit.text = "0"; },
       "Давление воды должно быть целым числом от 1 до 16", "tcwPressureEdit"},
      {"no winter month", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().cbWinterDst.index = -1; },
       "Не задан месяц перехода на зимнюю температуру", "cbWinterDst"},
      {"no summer month", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().cbSummerDst.index = -1; },
       "Не задан месяц перехода на летнюю температуру", "cbSummerDst"},
      {"equal months", "VRX-L2-1.0", "6", [](InitTab& t) { t.c().cbSummerDst.index = 9; },
       "Месяцы перехода на зимнее/летнее время не должны совпадать.", ""},
      // Scheme 1 has no cold water: its edits are not looked at.
      {"no cold water", "VRX-L2-1.0", "1",
       [](InitTab& t) {
         t.c().summerTcwEdit.text = "99";
         t.c().cbWinterDst.index = -1;
       },
       nullptr, ""},
      {"VRX-L1 pulse value 3", "VRX-L1-1.1", "17", [](InitTab& t) { Stored(t, 2).Ticks = 3; },
       "Не задана цена импульса канала №2", "DBGrid1", 2},
      {"group 3 before pulse value 0", "VRX-L2-1.0", "6",
       [](InitTab& t) {
         Stored(t, 2).Dy = 3;
         Stored(t, 2).Ticks = 0;
       },
       "Не задан Ду  канала №2", "DBGrid1", 2},
      {"pulse value 0", "VRX-L3-1.0", "7", [](InitTab& t) { Stored(t, 3).Ticks = 0; },
       "Не задана цена импульса канала №3", "DBGrid1", 3},
      // Channel 2 of VRX-L13 scheme 5 counts no flow: its codes are not looked at.
      {"no flow", "VRX-L13-2.2", "5", [](InitTab& t) { Stored(t, 2).Dy = 3; }, nullptr, ""},
      {"stored agreed temperature 200", "VRX-L2-1.0", "6",
       [](InitTab& t) {
         t.Enter(1, F::PresettingTemperature, "Договорная");
         Stored(t, 2).TemperaturePreset = 200;
       },
       "Договорное значение температуры должно быть числом от 1 до 150", "DBGrid1", 2},
      // The pressure of a channel without temperature and pressure is checked though hidden.
      {"stored pressure 20 of a flow-only channel", "VRX-L2-1.0", "6",
       [](InitTab& t) {
         t.Third(true);
         Stored(t, 3).PressurePreset = 20;
       },
       "Давление воды должно быть числом от 0 до 16,0", "DBGrid1", 3},
      {"equal pulse values", "VRX-L1-1.1", "20",
       [](InitTab& t) { t.Enter(2, F::Ticks, "0,1 м3/имп"); },
       "Цена импульсов каналов №1 и №2 должны быть равны", ""},
      {"pulse values ten times apart", "VRX-L1-1.1", "17",
       [](InitTab& t) {
         t.Enter(1, F::Ticks, "0,001 м3/имп");
         t.Enter(2, F::Ticks, "0,1 м3/имп");
       },
       "Цены импульсов каналов №1 и №2 должны отличаться не более чем в десять раз", ""},
      {"pulse values one step apart", "VRX-L1-1.1", "17",
       [](InitTab& t) { t.Enter(2, F::Ticks, "0,1 м3/имп"); }, nullptr, ""},
      {"group of channel 1 below channel 2", "VRX-L2-1.0", "6",
       [](InitTab& t) { t.Enter(2, F::Dy, "50...100"); },
       "Группа канала №1 должна быть равна или больше на единицу группы канала №2", ""},
      {"group of channel 1 two above channel 2", "VRX-L2-1.0", "6",
       [](InitTab& t) { t.Enter(1, F::Dy, "125...300"); },
       "Группа канала №1 должна быть равна или больше на единицу группы канала №2", ""},
      {"far groups in GJ", "VRX-L5-1.0", "25", [](InitTab& t) { t.Enter(3, F::Dy, "125...300"); },
       "Для выбранных групп Ду каналов №1 и №3 теплота может измеряться только в ГКал", ""},
      {"far groups in Gcal", "VRX-L5-1.0", "25",
       [](InitTab& t) {
         t.Enter(3, F::Dy, "125...300");
         t.c().cbQWDim.index = 1;
       },
       nullptr, ""},
      // The VRX-L12 scheme 3 compares the groups of its circuit's channels 1 and 2.
      {"circuit groups 1/2", "VRX-L12-1.0", "3", [](InitTab& t) { t.Enter(1, F::Dy, "125...300"); },
       "Группа канала №1 должна быть равна или больше на единицу группы канала №2", ""},
      {"circuit groups 3/4", "VRX-L13-2.2", "13", [](InitTab& t) { t.Enter(4, F::Dy, "50...100"); },
       "Группа канала №3 должна быть равна или больше на единицу группы канала №4", ""},
      {"VRX-L1 120 degrees at 2 kgf/cm2", "VRX-L1-1.1", "17",
       [](InitTab& t) {
         t.Enter(1, F::PresettingTemperature, "Договорная");
         t.Enter(1, F::TemperaturePreset, "120");
         t.Enter(1, F::PressurePreset, "2");
       },
       "Для давления 1 кгс/см2 температура должна быть не более 119 °C", "DBGrid1", 1},
      {"VRX-L2 120 degrees at 2 kgf/cm2", "VRX-L2-1.0", "6",
       [](InitTab& t) {
         t.Enter(1, F::PresettingTemperature, "Договорная");
         t.Enter(1, F::TemperaturePreset, "120");
         t.Enter(1, F::PressurePreset, "2");
       },
       nullptr, ""},
      {"VRX-L2 133 degrees at 2,9 kgf/cm2", "VRX-L2-1.0", "6",
       [](InitTab& t) {
         t.Enter(1, F::PresettingTemperature, "Договорная");
         t.Enter(2, F::TemperaturePreset, "133");
         t.Enter(2, F::PressurePreset, "2,9");
       },
       "Для давления 2 кгс/см2 температура должна быть не более 132 °C", "DBGrid1", 2},
      {"VRX-L2 100 degrees at 0,5 kgf/cm2", "VRX-L2-1.0", "6",
       [](InitTab& t) {
         t.Enter(1, F::PresettingTemperature, "Договорная");
         t.Enter(1, F::TemperaturePreset, "100");
         t.Enter(1, F::PressurePreset, "0,5");
       },
       "Для давления 0 кгс/см2 температура должна быть не более 99 °C", "DBGrid1", 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    InitTab tab;
    tab.Type(k.type);
    tab.Scheme(k.scheme);
    k.edit(tab);
    try {
      ValidateSettings(tab.ws);
      EXPECT_EQ(k.message, nullptr) << "passed";
    } catch (const EValidation& error) {
      ASSERT_NE(k.message, nullptr) << error.message().toStdString();
      EXPECT_EQ(error.message(), QString::fromUtf8(k.message));
      EXPECT_EQ(error.FocusControl(), QString::fromUtf8(k.focus));
      if (k.currentChannel != 0) {
        EXPECT_EQ(tab.channels().CurrentRow(), tab.RowOf(k.currentChannel));
      }
    }
  }
}

TEST(ValidateSettings, EditsGetTheLocaleSeparatorAndRowsKeepTheirStoredValues) {
  InitTab tab;
  tab.Type("VRX-L13-2.2");
  tab.Scheme("7");
  tab.c().winterTcwEdit.text = "5.5";
  tab.c().tcwPressureEdit.text = "2.5";
  tab.Enter(1, F::PresettingTemperature, "Договорная");
  // Values as reading stores them: 8001 / 80 degrees shows as "100", count 73 as "0,49".
  ChannelRow& first = Stored(tab, 1);
  first.TemperaturePreset = 8001 / 80.0;
  first.Dy = 1;
  tab.channels().ResnapGmin(tab.RowOf(1));
  first.gmin = DecodeFlowThreshold(DeviceTypeAt(kTypeCount), 1, 1, 0x85);
  const std::vector<ChannelRow> before = tab.channels().Rows();

  ValidateSettings(tab.ws);
  EXPECT_EQ(tab.c().winterTcwEdit.text, "5,5");
  EXPECT_EQ(tab.c().tcwPressureEdit.text, "2,5");
  EXPECT_EQ(tab.channels().Rows(), before);
  EXPECT_EQ(tab.channels().CurrentRow(), 0);

  // A later violation keeps what was corrected before it.
  tab.c().summerTcwEdit.text = "5.5";
  tab.c().cbSummerDst.index = tab.c().cbWinterDst.index;
  EXPECT_THROW(ValidateSettings(tab.ws), EValidation);
  EXPECT_EQ(tab.c().summerTcwEdit.text, "5,5");
}

}  // namespace
}  // namespace vrx
