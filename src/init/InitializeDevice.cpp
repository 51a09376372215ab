#include "init/InitializeDevice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "image/SettingsCheck.h"
#include "image/SettingsFields.h"
#include "image/ThresholdFields.h"
#include "init/InstrumentReading.h"
#include "init/ValidateSettings.h"
#include "model/ChannelFlags.h"
#include "model/DecimalText.h"
#include "model/Errors.h"
#include "model/FlowThreshold.h"
#include "model/TemperatureCode.h"

namespace vrx {

namespace {

// Leaves initialization mode: the command byte and its echo, nothing else.
constexpr uint8_t kLeaveInitMode = 3;

// VRX-L13 rows of the type table; before sub-version 30 they cannot take the 29th scheme.
constexpr int kFirstL13Type = 29;
constexpr int kLastL13Type = 34;
constexpr uint8_t kSchemeTwentyNineSubVersion = 30;
constexpr int kSchemeTwentyNineItem = 28;

// Type codes from this one on (VRX-L13 7, VRX-L12 8) keep gth, test every line and have circuits.
constexpr int kCircuitFamilyCode = 7;

constexpr int32_t kFlowBit = 1;
constexpr int kVolumeItem = 1;      // cbGGoDim, cbLCMeasurement
constexpr int kWaterMeterItem = 0;  // cbLCType
constexpr int kNoItem = 1;          // cbgth "Нет"; cbReaction: on the heat input

// New format: temperatures in 1/80 degree, pressures and cold-water values in tenths.
constexpr double kTemperatureScale = 80;
constexpr double kTenths = 10;
// Months the instrument keeps for a scheme without cold water: February and September.
constexpr SeasonMonths kNoColdWaterMonths{2, 9};
// VRX-L3 versions whose version byte has bits 0, 1 and 5 to 7 set get option bits 5 to 7.
constexpr uint8_t kL3OptionVersionMask = 0xE3;
// The VRX-L5 keeps "Использовать договорное P в расчётах" in option bit 5.
constexpr int kUsePresetPressureOption = 5;
// A type byte of 10 says the line test of channel 5 stays on.
constexpr int kTypeByte10Channel = 5;

const char* const kWrongType = "Задан неправильный тип прибора";
const char* const kNoSchemeTwentyNine = "Для этой версии прибора нельзя завести схему №29";
const char* const kDoneLeaveInitMode =
    "Прибор проинициализирован успешно. Выйти из режима инициализации?";
const char* const kDone = "Прибор проинициализирован успешно.";
// The fields a refused value is named by, as the tab's captions name them.
const QString kDeviceNumberField = QStringLiteral("Номер прибора");
const QString kWinterField = QStringLiteral("Холодная вода, зима");
const QString kSummerField = QStringLiteral("Холодная вода, лето");
const QString kColdWaterPressureField = QStringLiteral("Холодная вода, P");

// Nearest integer, halves to even; clamped to the range of the field it goes into.
int Rounded(double value, int low, int high) {
  if (!std::isfinite(value))
    return low;
  return static_cast<int>(
      std::clamp(std::nearbyint(value), static_cast<double>(low), static_cast<double>(high)));
}

uint8_t ByteOf(double value) {
  return static_cast<uint8_t>(Rounded(value, 0, 255));
}

uint8_t TenthsOf(const QString& text, const QString& field) {
  return ByteOf(NumberOf(text, field) * kTenths);
}

bool Flow(const ChannelRow& row) {
  return (row.Flags & kFlowBit) != 0;
}

void EncodeCommon(const InitWorkspace& workspace, SettingsImage& image) {
  const InitTabControls& c = workspace.Controls();
  bool ok = false;
  const int address = c.DevAddrEdit.text.trimmed().toInt(&ok);
  SetNetworkAddressByte(image, ok ? static_cast<uint8_t>(address) : 0);
  SetSchemeCodeByte(image, static_cast<uint8_t>(workspace.Selection().scheme->DeviceCode & 0xFF));
  image.ClearBytes(image.FieldPos(Tp1), image.FieldPos(CounterRegion1Length));
  image.ClearBytes(image.FieldPos(Tp5), image.FieldPos(CounterRegion2Length));
}

void EncodeOldFormat(const InitWorkspace& workspace, SettingsImage& image) {
  const InitTabControls& c = workspace.Controls();
  const UiSelection& selection = workspace.Selection();
  const ChannelsTable& channels = workspace.cdsChannels();
  SetDeviceNumber(image, static_cast<uint16_t>(IntegerOf(c.DevNoEdit.text, kDeviceNumberField)));

  const bool gcal = c.cbQWDim.index != 0;
  const int coldWaterPressure = image.FieldPos(TcwPressure);
  if (selection.SchemeHas(kFlagNoColdWater)) {
    // The enthalpies stay as they were read.
    SetColdWaterTenths(image, Season::Summer, 0);
    SetColdWaterTenths(image, Season::Winter, 0);
    image.SetByte(coldWaterPressure, 0);
    SetSwitchMonths(image, kNoColdWaterMonths);
  } else {
    const uint8_t summer = TenthsOf(c.summerTcwEdit.text, kSummerField);
    const uint8_t winter = TenthsOf(c.winterTcwEdit.text, kWinterField);
    const int pressure = IntegerOf(c.tcwPressureEdit.text, kColdWaterPressureField);
    SetColdWaterTenths(image, Season::Summer, summer);
    SetColdWaterTenths(image, Season::Winter, winter);
    image.SetByte(coldWaterPressure, static_cast<uint8_t>(pressure - 1));
    SetSwitchMonths(image, {c.cbSummerDst.index + 1, c.cbWinterDst.index + 1});
    SetOldColdWaterEnthalpy(image, Season::Summer,
                            ColdWaterEnthalpyCode(summer / kTenths, pressure, gcal));
    SetOldColdWaterEnthalpy(image, Season::Winter,
                            ColdWaterEnthalpyCode(winter / kTenths, pressure, gcal));
  }
  SetHeatUnitGcal(image, gcal);

  const bool optionalOn = !selection.SchemeHas(kFlagFixedLastChannel) && c.cbThirdChannel.checked;
  const bool volumeOnMainChannels =
      selection.SchemeHas(kFlagMassVolumeChoice) && c.cbGGoDim.index == kVolumeItem;
  const bool volumeOnOptionalChannel = c.cbLCMeasurement.index == kVolumeItem;
  SetOldOptionalChannelOn(image, optionalOn);
  SetOldVolumeMeasurement(image, optionalOn ? volumeOnOptionalChannel : volumeOnMainChannels);
  SetOldWaterMeter(image, optionalOn && c.cbLCType.index == kWaterMeterItem);

  const int table = TemperatureTableIndex(selection.family->Code);
  for (int row = 0; row < channels.RowCount(); ++row) {
    const ChannelRow& r = channels.Row(row);
    const int n = r.ChannelNo;
    SetPulseCode(image, n, r.Ticks);
    SetAgreedPressureByte(image, n, ByteOf(r.PressurePreset));
    const bool volume =
        volumeOnMainChannels || (channels.IsOptionalChannel(row) && volumeOnOptionalChannel);
    if (volume) {
      SetAgreedTemperatureFlag(image, n, true);
      SetAgreedTemperatureWord(image, n, kVolumeChannelTemperatureCode);
    } else {
      SetAgreedTemperatureFlag(image, n, r.PresettingTemperature);
      // A temperature the row holds as it was read keeps the instrument's code: the formula
      // and the table that reads the codes are no exact inverses, so encoding the unchanged
      // value again would raise it by some 0.04 degrees on every initialization.
      const uint16_t stored = AgreedTemperatureWord(image, n);
      if (CodeToTemperature(table, stored) != r.TemperaturePreset) {
        SetAgreedTemperatureWord(
            image, n,
            static_cast<uint16_t>(ThermometerCode(selection.family->Code, r.TemperaturePreset)));
      }
    }
  }
}

void EncodeChannelsNewFormat(const InitWorkspace& workspace, SettingsImage& image,
                             std::array<double, kMaxChannels + 1>& litres) {
  const ChannelsTable& channels = workspace.cdsChannels();
  const TDeviceRecord& type = image.DeviceType();
  const bool circuitModel = type.Code >= kCircuitFamilyCode;
  const int count = image.ChannelCount();
  for (int row = 0; row < channels.RowCount(); ++row) {
    const ChannelRow& r = channels.Row(row);
    const int n = r.ChannelNo;
    SetDiameterGroup(image, n, r.Dy);
    SetPulseCode(image, n, r.Ticks);
    bool lineTestOff = r.TestOfLine;
    if (!Flow(r)) {
      lineTestOff = true;
    } else if (!circuitModel && (channels.IsOptionalChannel(row) || r.Ticks != 1)) {
      lineTestOff = true;
    }
    SetChannelByteBit(image, n, kLineTestOffBit, lineTestOff);
    if (n >= count)
      continue;

    litres[static_cast<size_t>(n)] = LitresPerPulse(r.Dy, r.Ticks);
    SetAgreedTemperatureWord(
        image, n,
        static_cast<uint16_t>(Rounded(r.TemperaturePreset * kTemperatureScale, 0, 0xFFFF)));
    SetAgreedPressureByte(image, n, ByteOf(r.PressurePreset * kTenths));
    SetThresholdCode(image, n,
                     EncodeFlowThreshold(type, image.State().SubVersion, r.Dy, r.Ticks, r.gmin));
    if (circuitModel)
      SetMinFlowDivisorCode(image, n, r.gth);
    SetChannelByteBit(image, n, kThresholdTestOffBit, r.gmintest);
    if (HasThresholdDisplay(image))
      SetThresholdDisplay(image, n, ThresholdDisplayOf(r.gmin));
  }
}

void EncodeNewFormat(const InitWorkspace& workspace, SettingsImage& image) {
  const InitTabControls& c = workspace.Controls();
  const UiSelection& selection = workspace.Selection();
  const ChannelsTable& channels = workspace.cdsChannels();
  const TFamilyRecord& family = image.Family();
  const TDeviceRecord& type = image.DeviceType();
  SetDeviceNumber(image, static_cast<uint16_t>(IntegerOf(c.DevNoEdit.text, kDeviceNumberField)));

  if (selection.SchemeHas(kFlagNoColdWater)) {
    SetColdWaterPressureTenths(image, 0);
    SetColdWaterTenths(image, Season::Summer, 0);
    SetColdWaterTenths(image, Season::Winter, 0);
    SetSwitchMonths(image, kNoColdWaterMonths);
  } else {
    SetColdWaterPressureTenths(image, TenthsOf(c.tcwPressureEdit.text, kColdWaterPressureField));
    SetColdWaterTenths(image, Season::Summer, TenthsOf(c.summerTcwEdit.text, kSummerField));
    SetColdWaterTenths(image, Season::Winter, TenthsOf(c.winterTcwEdit.text, kWinterField));
    SetSwitchMonths(image, {c.cbSummerDst.index + 1, c.cbWinterDst.index + 1});
  }

  if (family.Code < kCircuitFamilyCode && family.IsL3Family != 0 &&
      (image.State().VersionByte & kL3OptionVersionMask) == kL3OptionVersionMask) {
    for (int bit = 5; bit <= 7; ++bit)
      SetOptionBit(image, bit, true);
  }
  SetAgreedTemperatureFlag(image, 1,
                           channels.RowCount() > 0 && channels.Row(0).PresettingTemperature);
  SetThermometerType1385(image, c.cbTermType.index != 0);
  SetHeatUnitGcal(image, c.cbQWDim.index != 0);

  ClearThresholdFields(image);
  // Litres per pulse of channels 1 to 4; 0 for a channel without a row.
  std::array<double, kMaxChannels + 1> litres{};
  EncodeChannelsNewFormat(workspace, image, litres);

  // The circuits also switch the last channel's threshold test off and set option bits 5, 6.
  if (type.Code >= kCircuitFamilyCode)
    workspace.cdsCircuits().WriteToImage(image);

  SetChannelByteBit(image, 1, kChannelSharedBit,
                    !(selection.SchemeHas(kFlagCompare12) && litres[1] < litres[2]));
  if (family.ChannelCount > 3) {
    SetChannelByteBit(image, 3, kChannelSharedBit,
                      selection.SchemeHas(kFlagCompare34) ? litres[3] >= litres[4] : true);
  }
  if (!c.cbThirdChannel.checked)
    SetPulseCode(image, selection.ChannelCount(), 0);
  if (image.State().TypeByte10)
    SetChannelByteBit(image, kTypeByte10Channel, kLineTestOffBit, false);
  if (selection.type->IsL5 != 0) {
    SetChannelByteBit(image, 2, kChannelSharedBit, selection.fVariant);
    SetChannelByteBit(image, 4, kChannelSharedBit, c.cbgth.index == kNoItem);
    SetChannelByteBit(image, 5, kChannelSharedBit,
                      selection.fVariant && c.cbReaction.index == kNoItem);
    SetOptionBit(image, kUsePresetPressureOption, c.cbUsePresetP.checked);
  }
}

}  // namespace

void EncodeSettingsImage(const InitWorkspace& workspace, SettingsImage& image) {
  if (workspace.Selection().scheme == nullptr)
    throw std::logic_error("the settings are encoded without a scheme");
  EncodeCommon(workspace, image);
  if (image.OldFormat()) {
    EncodeOldFormat(workspace, image);
  } else {
    EncodeNewFormat(workspace, image);
  }
}

void InitializeDevice(InitWorkspace& workspace, DeviceLink& link, ConnectionState& state,
                      InstrumentBuffer& buffer, PcTimeStamp& stamp,
                      PcTimeConfirmation& confirmation, Messages& messages) {
  if (&workspace.State() != &state)
    throw std::logic_error("InitializeDevice needs the workspace's own connection state");
  // The identification changes what some cells show; the view refreshes once, at the end.
  InitWorkspace::Batch batch(workspace);
  workspace.NotifyChanged();
  const InitTabControls& c = workspace.Controls();
  const UiSelection& selection = workspace.Selection();

  ValidateSettings(workspace);

  link.IdentifyDevice();
  if (state.DeviceType != selection.type)
    throw EOwned(kWrongType);
  if (state.TypeIndex >= kFirstL13Type && state.TypeIndex <= kLastL13Type &&
      state.SubVersion < kSchemeTwentyNineSubVersion &&
      c.cbCountingScheme.index == kSchemeTwentyNineItem) {
    throw EOwned(kNoSchemeTwentyNine);
  }

  link.ReadSettings();
  stamp.StampHeatCalculatorTime(confirmation, buffer, state);
  SettingsImage image(buffer, state);
  EncodeSettingsImage(workspace, image);

  link.WriteSettings(c.CheckBox1.checked, QStringLiteral("Инициализация"));
  // The instrument took the block and gave it back: the tab shows what it holds.
  KeepReading(workspace, image);

  if (selection.OldFormat()) {
    if (messages.Confirm(QString::fromUtf8(kDoneLeaveInitMode)))
      link.DeviceExchange(kLeaveInitMode, {}, {}, true, 0);
  } else {
    messages.ShowInfo(QString::fromUtf8(kDone));
    CheckSettingsImage(image, messages);
  }
}

}  // namespace vrx
