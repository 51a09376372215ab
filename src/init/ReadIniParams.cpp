#include "init/ReadIniParams.h"

#include <algorithm>
#include <stdexcept>

#include "image/SettingsFields.h"
#include "image/SettingsImage.h"
#include "image/ThresholdFields.h"
#include "init/InstrumentReading.h"
#include "model/ChannelFlags.h"
#include "model/DecimalText.h"
#include "model/FlowThreshold.h"
#include "model/TemperatureCode.h"

namespace vrx {

namespace {

// VRX-L13 rows of the type table; before sub-version 30 they cannot take the 29th scheme.
constexpr int kFirstL13Type = 29;
constexpr int kLastL13Type = 34;
constexpr uint8_t kSchemeTwentyNineSubVersion = 30;
constexpr int kSchemeTwentyNineItem = 28;
// Type codes from this one on (VRX-L13 7, VRX-L12 8) keep gth and the circuits.
constexpr int kCircuitFamilyCode = 7;
// Bit 4 of the second channel byte marks the "F" variant of a VRX-L5 scheme.
constexpr int kFVariantChannel = 2;
// VRX-L5: bit 4 of channel byte 4 switches the g < gпор control off, that of channel byte 5
// chooses the reaction.
constexpr int kFlowTestChannel = 4;
constexpr int kReactionChannel = 5;
constexpr int kUsePresetPressureOption = 5;
// New format: temperatures in 1/80 degree, pressures in tenths.
constexpr double kTemperatureScale = 80;
constexpr double kTenths = 10;

// A stored month 1..12 as a list index; anything else selects nothing.
int MonthIndex(int month) {
  return month >= 1 && month <= 12 ? month - 1 : -1;
}

QString ColdWaterText(const SettingsImage& image, Season season) {
  return OneDecimalText(ColdWaterTenths(image, season) / kTenths);
}

void ReadOldFormat(InitWorkspace& workspace, const SettingsImage& image) {
  InitTabControls& c = workspace.Controls();
  const UiSelection& selection = workspace.Selection();
  c.DevNoEdit.text = QString::number(DeviceNumber(image));
  if (!selection.SchemeHas(kFlagNoColdWater)) {
    c.summerTcwEdit.text = ColdWaterText(image, Season::Summer);
    c.winterTcwEdit.text = ColdWaterText(image, Season::Winter);
    c.tcwPressureEdit.text = QString::number(OldColdWaterPressure(image));
    const SeasonMonths months = SwitchMonths(image);
    c.cbSummerDst.index = MonthIndex(months.summer);
    c.cbWinterDst.index = MonthIndex(months.winter);
  }
  c.cbQWDim.index = HeatUnitGcal(image) ? 1 : 0;
  if (selection.SchemeHas(kFlagMassVolumeChoice)) {
    c.cbGGoDim.index = OldVolumeMeasurement(image) ? 1 : 0;
    workspace.cbGGoDimChange();
  }
  if (!selection.SchemeHas(kFlagFixedLastChannel)) {
    c.cbThirdChannel.checked = OldOptionalChannelOn(image);
    c.cbLCType.index = OldWaterMeter(image) ? 0 : 1;
    c.cbLCMeasurement.index = OldVolumeMeasurement(image) ? 1 : 0;
    workspace.cbThirdChannelClick();
  }

  ChannelsTable& channels = workspace.cdsChannels();
  {
    TableEditingFlag::Scope editing(workspace.Editing());
    const int table = TemperatureTableIndex(selection.family->Code);
    for (int row = 0; row < channels.RowCount(); ++row) {
      ChannelRow& r = channels.Fields(row);
      const int n = r.ChannelNo;
      r.Ticks = static_cast<int16_t>(PulseCode(image, n));
      r.PresettingTemperature = AgreedTemperatureFlag(image, n);
      r.TemperaturePreset = CodeToTemperature(table, AgreedTemperatureWord(image, n));
      r.PressurePreset = AgreedPressureByte(image, n);
    }
  }
  channels.First();
}

void ReadNewFormat(InitWorkspace& workspace, const SettingsImage& image) {
  InitTabControls& c = workspace.Controls();
  const UiSelection& selection = workspace.Selection();
  const TDeviceRecord& type = *selection.type;
  c.DevNoEdit.text = QString::number(DeviceNumber(image));
  if (!selection.SchemeHas(kFlagNoColdWater)) {
    c.tcwPressureEdit.text = OneDecimalText(ColdWaterPressureTenths(image) / kTenths);
    c.summerTcwEdit.text = ColdWaterText(image, Season::Summer);
    c.winterTcwEdit.text = ColdWaterText(image, Season::Winter);
    const SeasonMonths months = SwitchMonths(image);
    c.cbSummerDst.index = MonthIndex(months.summer);
    c.cbWinterDst.index = MonthIndex(months.winter);
  }
  c.cbTermType.index = ThermometerType1385(image) ? 1 : 0;
  c.cbQWDim.index = HeatUnitGcal(image) ? 1 : 0;
  const int count = image.ChannelCount();
  c.cbThirdChannel.checked = PulseCode(image, count) != 0;
  workspace.cbThirdChannelClick();

  const bool circuitModel = type.Code >= kCircuitFamilyCode;
  ChannelsTable& channels = workspace.cdsChannels();
  {
    TableEditingFlag::Scope editing(workspace.Editing());
    for (int row = 0; row < channels.RowCount(); ++row) {
      ChannelRow& r = channels.Fields(row);
      const int n = r.ChannelNo;
      r.Dy = static_cast<int16_t>(DiameterGroup(image, n));
      r.Ticks = static_cast<int16_t>(PulseCode(image, n));
      r.TestOfLine = ChannelByteBit(image, n, kLineTestOffBit);
      if (n < count) {
        r.PresettingTemperature = AgreedTemperatureFlag(image, n);
        r.TemperaturePreset = AgreedTemperatureWord(image, n) / kTemperatureScale;
        r.PressurePreset = AgreedPressureByte(image, n) / kTenths;
        r.gmintest = ChannelByteBit(image, n, kThresholdTestOffBit);
        r.gmin = DecodeFlowThreshold(type, r.Dy, r.Ticks, ThresholdCode(image, n));
        if (circuitModel)
          r.gth = MinFlowDivisorCode(image, n);
      }
      channels.ResnapGmin(row);
    }
    channels.First();
    if (circuitModel)
      workspace.cdsCircuits().ReadFromImage(image);
  }

  if (type.IsL5 != 0) {
    c.cbgth.index = ChannelByteBit(image, kFlowTestChannel, kChannelSharedBit) ? 1 : 0;
    c.cbReaction.index = ChannelByteBit(image, kReactionChannel, kChannelSharedBit) ? 1 : 0;
    c.cbUsePresetP.checked = OptionBit(image, kUsePresetPressureOption);
  }
}

// Fills the tab from the instrument; see ReadIniParams.
void FillFromInstrument(InitWorkspace& workspace, DeviceLink& link, ConnectionState& state,
                        InstrumentBuffer& buffer) {
  InitTabControls& c = workspace.Controls();

  link.IdentifyDevice();
  // The type change assumes the newest firmware; the identified sub-version is kept.
  const uint8_t subVersion = state.SubVersion;
  c.cbDeviceType.index = state.TypeIndex - 1;
  workspace.cbDeviceTypeChange();
  state.SubVersion = subVersion;

  link.ReadSettings();
  const SettingsImage image(buffer, state);

  const UiSelection& selection = workspace.Selection();
  const TDeviceRecord& type = *selection.type;
  c.cbCountingScheme.index = -1;
  const uint8_t stored = SchemeCodeByte(image);
  const bool fVariant =
      !image.OldFormat() && ChannelByteBit(image, kFVariantChannel, kChannelSharedBit);
  const size_t offered = std::min(selection.family->Schemes.size(),
                                  static_cast<size_t>(std::max(type.SchemeCount, 0)));
  for (size_t i = 0; i < offered; ++i) {
    if (selection.family->Schemes[i].DeviceCode == stored) {
      c.cbCountingScheme.index = SchemeToListPosition(type, fVariant, static_cast<int>(i) + 1) - 1;
      break;
    }
  }
  workspace.CountingSchemeChanged();

  if (state.TypeIndex >= kFirstL13Type && state.TypeIndex <= kLastL13Type &&
      state.SubVersion < kSchemeTwentyNineSubVersion) {
    workspace.RemoveSchemeItem(kSchemeTwentyNineItem);
  }
  // A stored scheme the model does not offer is not reported: the groups stay hidden.
  if (selection.scheme == nullptr)
    return;

  const uint8_t address = NetworkAddressByte(image);
  c.DevAddrEdit.text = address == 0 ? QString() : QString::number(address);
  if (image.OldFormat()) {
    ReadOldFormat(workspace, image);
  } else {
    ReadNewFormat(workspace, image);
  }
}

}  // namespace

void ReadIniParams(InitWorkspace& workspace, DeviceLink& link, ConnectionState& state,
                   InstrumentBuffer& buffer) {
  if (&workspace.State() != &state)
    throw std::logic_error("ReadIniParams needs the workspace's own connection state");
  InitWorkspace::Batch batch(workspace);
  FillFromInstrument(workspace, link, state, buffer);
  KeepReading(workspace, SettingsImage(buffer, state));
}

}  // namespace vrx
