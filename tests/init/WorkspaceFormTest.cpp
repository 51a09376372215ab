#include <gtest/gtest.h>

#include <QJsonArray>

#include "init/InitTabTestSupport.h"
#include "init/WorkspaceForm.h"
#include "model/EValidation.h"

namespace vrx {
namespace {

using test::InitTab;
using F = ChannelField;

TEST(WorkspaceForm, ListsAreItemTextsBoxesBooleansAndTablesRowsOfCellTexts) {
  InitTab tab;
  tab.c().cbWinterDst.index = -1;
  const QJsonObject form = ToForm(tab.ws);
  EXPECT_EQ(form.value("cbCountingScheme"), QJsonValue("1"));
  EXPECT_TRUE(form.value("cbWinterDst").isNull());
  EXPECT_EQ(form.value("cbThirdChannel"), QJsonValue(false));
  EXPECT_EQ(form.value("DevNoEdit"), QJsonValue("1"));
  // Channel 2 of the VRX-L12 scheme 1 measures temperature only.
  const QJsonObject second = form.value("cdsChannels").toArray().at(1).toObject();
  EXPECT_EQ(second.size(), 10);
  EXPECT_EQ(second.value("ChannelNo"), QJsonValue("2"));
  EXPECT_EQ(second.value("Ticks"), QJsonValue("----"));
  EXPECT_EQ(second.value("PresettingTemperature"), QJsonValue("Измеряемая"));
  const QJsonArray circuits = form.value("cdsCircuits").toArray();
  ASSERT_EQ(circuits.size(), 9);
  EXPECT_EQ(circuits.at(8).toObject().value("Err"), QJsonValue("J"));
}

TEST(WorkspaceForm, AFormAppliedToAFreshTabGivesTheSameForm) {
  InitTab edited;
  edited.Type("VRX-L5-2.2");
  edited.Scheme("F15");
  edited.Third(true);
  InitTabControls& c = edited.c();
  c.cbgth.index = 1;
  c.cbReaction.index = 1;
  c.cbUsePresetP.checked = true;
  c.cbQWDim.index = 1;
  c.cbTermType.index = 1;
  c.cbSummerDst.index = 3;
  c.CheckBox1.checked = true;
  c.DevNoEdit.text = "4321";
  c.DevAddrEdit.text = "";
  c.tcwPressureEdit.text = "2,5";
  edited.Enter(1, F::PresettingTemperature, "Договорная");
  edited.Enter(1, F::TemperaturePreset, "70,5");
  edited.Enter(2, F::PressurePreset, "1,6");
  edited.Enter(2, F::Dy, "50...100");
  edited.Enter(2, F::Ticks, "0,1 м3/имп");
  edited.Enter(2, F::TestOfLine, "Нет");
  edited.Enter(5, F::Dy, "125...300");
  const QJsonObject form = ToForm(edited.ws);

  InitTab fresh;
  ApplyForm(fresh.ws, form);
  EXPECT_EQ(ToForm(fresh.ws), form);
  EXPECT_TRUE(fresh.ws.Selection().fVariant);
  EXPECT_EQ(fresh.channels().Rows(), edited.channels().Rows());

  // A VRX-L1 with a water meter as optional channel and mass or volume in the scheme.
  InitTab l1;
  l1.Type("VRX-L1-2.2");
  l1.Scheme("17");
  l1.Third(true);
  l1.c().cbLCType.index = 0;
  l1.ws.cbLCTypeChange();
  l1.Enter(2, F::PresettingTemperature, "Договорная");
  l1.Enter(2, F::TemperaturePreset, "40");
  l1.Enter(4, F::Ticks, "1 м3/имп");
  const QJsonObject l1Form = ToForm(l1.ws);
  InitTab fresh1;
  ApplyForm(fresh1.ws, l1Form);
  EXPECT_EQ(ToForm(fresh1.ws), l1Form);
}

TEST(WorkspaceForm, MissingKeysKeepTheirControlsAndBadValuesAreRefused) {
  InitTab tab;
  ApplyForm(tab.ws, QJsonObject{{"DevNoEdit", "77"}});
  EXPECT_EQ(tab.c().DevNoEdit.text, "77");
  EXPECT_EQ(tab.c().cbDeviceType.Text(), "VRX-L12-1.0");

  EXPECT_THROW(ApplyForm(tab.ws, QJsonObject{{"cbDeviceType", "VRX-L99"}}), EOwned);
  EXPECT_THROW(ApplyForm(tab.ws, QJsonObject{{"cbThirdChannel", "yes"}}), EOwned);
  EXPECT_EQ(tab.c().cbDeviceType.Text(), "VRX-L12-1.0");

  const QJsonObject refused{
      {"cbCountingScheme", "3"},
      {"cdsChannels", QJsonArray{QJsonObject{{"ChannelNo", "1"},
                                             {"PresettingTemperature", "Договорная"},
                                             {"TemperaturePreset", "151"}}}}};
  EXPECT_THROW(ApplyForm(tab.ws, refused), EValidation);
  EXPECT_EQ(tab.c().cbCountingScheme.Text(), "3");
  EXPECT_EQ(tab.Cell(1, F::PresettingTemperature), "Договорная");
}

}  // namespace
}  // namespace vrx
