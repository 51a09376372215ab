#include "image/SettingsFields.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace vrx {

namespace {

// Fixed positions of the old format that the layout does not name.
constexpr int kOldSummerEnthalpy = 5;
constexpr int kOldWinterEnthalpy = 7;

// Option bits of the old format.
constexpr int kOldOptionalChannelBit = 5;
constexpr int kOldVolumeBit = 6;
constexpr int kOldHeatUnitBit = 7;
constexpr int kOldWaterMeterBit = 4;

// Option bits of the new format.
constexpr int kNewAgreedTemperatureBit = 0;
constexpr int kNewThermometerBit = 1;
constexpr int kNewHeatUnitBit = 2;

int Pos(const SettingsImage& image, SettingsField entry) {
  const int position = image.FieldPos(entry);
  if (position == 0) {
    throw std::logic_error("the model has no settings field " + std::to_string(entry));
  }
  return position;
}

void RequireOld(const SettingsImage& image, bool old) {
  if (image.OldFormat() != old) {
    throw std::logic_error(old ? "field of the VRX-L1 format only"
                               : "field of the new format only");
  }
}

void CheckChannel(int channel, int last) {
  if (channel < 1 || channel > last) {
    throw std::out_of_range("channel " + std::to_string(channel));
  }
}

// The channels with an agreed temperature and pressure: all four on a VRX-L1, all but the last
// elsewhere.
int PresetChannels(const SettingsImage& image) {
  return image.OldFormat() ? image.ChannelCount() : image.ChannelCount() - 1;
}

int ChannelBytePos(const SettingsImage& image, int channel) {
  RequireOld(image, false);
  CheckChannel(channel, image.ChannelCount());
  return Pos(image, ChannelBytes) + channel - 1;
}

}  // namespace

uint16_t DeviceNumber(const SettingsImage& image) {
  const int pos = Pos(image, DevNo);
  return image.OldFormat() ? image.GetWordBE(pos) : image.GetWordLE(pos);
}

void SetDeviceNumber(SettingsImage& image, uint16_t number) {
  const int pos = Pos(image, DevNo);
  if (image.OldFormat()) {
    image.SetWordBE(pos, number);
  } else {
    image.SetWordLE(pos, number);
  }
}

uint8_t NetworkAddressByte(const SettingsImage& image) {
  return image.Byte(Pos(image, DevAddr));
}

void SetNetworkAddressByte(SettingsImage& image, uint8_t address) {
  image.SetByte(Pos(image, DevAddr), address);
}

uint8_t SchemeCodeByte(const SettingsImage& image) {
  return image.Byte(Pos(image, Scheme));
}

void SetSchemeCodeByte(SettingsImage& image, uint8_t code) {
  image.SetByte(Pos(image, Scheme), code);
}

SeasonMonths SwitchMonths(const SettingsImage& image) {
  const int pos = Pos(image, SettingsField::Months);
  if (image.OldFormat()) {
    return {image.Byte(pos), image.Byte(pos + 1)};
  }
  const uint8_t byte = image.Byte(pos);
  return {byte & 0x0F, byte >> 4};
}

void SetSwitchMonths(SettingsImage& image, SeasonMonths months) {
  const int pos = Pos(image, SettingsField::Months);
  if (image.OldFormat()) {
    image.SetByte(pos, static_cast<uint8_t>(months.summer));
    image.SetByte(pos + 1, static_cast<uint8_t>(months.winter));
    return;
  }
  image.SetByte(pos, static_cast<uint8_t>((months.summer & 0x0F) | ((months.winter & 0x0F) << 4)));
}

uint8_t ColdWaterTenths(const SettingsImage& image, Season season) {
  return image.Byte(Pos(image, Tcw) + (season == Season::Winter ? 1 : 0));
}

void SetColdWaterTenths(SettingsImage& image, Season season, uint8_t tenths) {
  image.SetByte(Pos(image, Tcw) + (season == Season::Winter ? 1 : 0), tenths);
}

uint16_t AgreedTemperatureWord(const SettingsImage& image, int channel) {
  CheckChannel(channel, PresetChannels(image));
  return image.GetWordLE(Pos(image, TempPresets) + 2 * (channel - 1));
}

void SetAgreedTemperatureWord(SettingsImage& image, int channel, uint16_t word) {
  CheckChannel(channel, PresetChannels(image));
  image.SetWordLE(Pos(image, TempPresets) + 2 * (channel - 1), word);
}

uint8_t AgreedPressureByte(const SettingsImage& image, int channel) {
  CheckChannel(channel, PresetChannels(image));
  return image.Byte(Pos(image, PressurePresets) + channel - 1);
}

void SetAgreedPressureByte(SettingsImage& image, int channel, uint8_t value) {
  CheckChannel(channel, PresetChannels(image));
  image.SetByte(Pos(image, PressurePresets) + channel - 1, value);
}

int PulseCode(const SettingsImage& image, int channel) {
  if (image.OldFormat()) {
    CheckChannel(channel, image.ChannelCount());
    return image.GetPair(Pos(image, ChannelBytes), 2 * (channel - 1));
  }
  return image.GetPair(ChannelBytePos(image, channel), 0);
}

void SetPulseCode(SettingsImage& image, int channel, int code) {
  if (image.OldFormat()) {
    CheckChannel(channel, image.ChannelCount());
    image.SetPair(Pos(image, ChannelBytes), 2 * (channel - 1), code);
    return;
  }
  image.SetPair(ChannelBytePos(image, channel), 0, code);
}

bool AgreedTemperatureFlag(const SettingsImage& image, int channel) {
  CheckChannel(channel, image.ChannelCount());
  return image.GetBit(Pos(image, Options),
                      image.OldFormat() ? channel - 1 : kNewAgreedTemperatureBit);
}

void SetAgreedTemperatureFlag(SettingsImage& image, int channel, bool on) {
  CheckChannel(channel, image.ChannelCount());
  image.SetBit(Pos(image, Options), image.OldFormat() ? channel - 1 : kNewAgreedTemperatureBit, on);
}

bool HeatUnitGcal(const SettingsImage& image) {
  return image.GetBit(Pos(image, Options), image.OldFormat() ? kOldHeatUnitBit : kNewHeatUnitBit);
}

void SetHeatUnitGcal(SettingsImage& image, bool gcal) {
  image.SetBit(Pos(image, Options), image.OldFormat() ? kOldHeatUnitBit : kNewHeatUnitBit, gcal);
}

int OldColdWaterPressure(const SettingsImage& image) {
  RequireOld(image, true);
  return (image.Byte(Pos(image, TcwPressure)) & 0x0F) + 1;
}

void SetOldColdWaterPressure(SettingsImage& image, int kgf) {
  RequireOld(image, true);
  const int pos = Pos(image, TcwPressure);
  image.SetByte(pos, static_cast<uint8_t>((image.Byte(pos) & 0xF0) | ((kgf - 1) & 0x0F)));
}

bool OldWaterMeter(const SettingsImage& image) {
  RequireOld(image, true);
  return image.GetBit(Pos(image, TcwPressure), kOldWaterMeterBit);
}

void SetOldWaterMeter(SettingsImage& image, bool waterMeter) {
  RequireOld(image, true);
  image.SetBit(Pos(image, TcwPressure), kOldWaterMeterBit, waterMeter);
}

bool OldOptionalChannelOn(const SettingsImage& image) {
  RequireOld(image, true);
  return image.GetBit(Pos(image, Options), kOldOptionalChannelBit);
}

void SetOldOptionalChannelOn(SettingsImage& image, bool on) {
  RequireOld(image, true);
  image.SetBit(Pos(image, Options), kOldOptionalChannelBit, on);
}

bool OldVolumeMeasurement(const SettingsImage& image) {
  RequireOld(image, true);
  return image.GetBit(Pos(image, Options), kOldVolumeBit);
}

void SetOldVolumeMeasurement(SettingsImage& image, bool volume) {
  RequireOld(image, true);
  image.SetBit(Pos(image, Options), kOldVolumeBit, volume);
}

uint16_t OldColdWaterEnthalpy(const SettingsImage& image, Season season) {
  RequireOld(image, true);
  return image.GetWordBE(season == Season::Summer ? kOldSummerEnthalpy : kOldWinterEnthalpy);
}

void SetOldColdWaterEnthalpy(SettingsImage& image, Season season, uint16_t value) {
  RequireOld(image, true);
  image.SetWordBE(season == Season::Summer ? kOldSummerEnthalpy : kOldWinterEnthalpy, value);
}

int16_t ThermometerCode(uint8_t familyCode, double celsius) {
  const bool class1385 = (familyCode & 2) != 0;
  const double a = class1385 ? 0.0039083 : 0.0039692;
  const double b = class1385 ? 0.0000005775 : 0.0000005829;
  const double offset = class1385 ? 20802 : 20806;
  const double code =
      std::nearbyint((1 + a * celsius - b * celsius * celsius) * 32768 / 1.59368 - offset);
  return static_cast<int16_t>(static_cast<int>(code));
}

uint16_t ColdWaterEnthalpyCode(double celsius, int pressureKgf, bool gcal) {
  const double divisor = gcal ? 1071.8208 : 256;
  const double numerator = celsius > 7 ? 109700 * celsius + 2510.0 * pressureKgf + 4100
                                       : 110170 * celsius + 2575.0 * pressureKgf - 200;
  return static_cast<uint16_t>(static_cast<int>(std::nearbyint(numerator / divisor)));
}

uint8_t ColdWaterPressureTenths(const SettingsImage& image) {
  RequireOld(image, false);
  return image.Byte(Pos(image, TcwPressure));
}

void SetColdWaterPressureTenths(SettingsImage& image, uint8_t tenths) {
  RequireOld(image, false);
  image.SetByte(Pos(image, TcwPressure), tenths);
}

int DiameterGroup(const SettingsImage& image, int channel) {
  return image.GetPair(ChannelBytePos(image, channel), 2);
}

void SetDiameterGroup(SettingsImage& image, int channel, int group) {
  image.SetPair(ChannelBytePos(image, channel), 2, group);
}

bool ChannelByteBit(const SettingsImage& image, int channel, int bit) {
  return image.GetBit(ChannelBytePos(image, channel), bit);
}

void SetChannelByteBit(SettingsImage& image, int channel, int bit, bool value) {
  image.SetBit(ChannelBytePos(image, channel), bit, value);
}

bool ThermometerType1385(const SettingsImage& image) {
  RequireOld(image, false);
  return image.GetBit(Pos(image, Options), kNewThermometerBit);
}

void SetThermometerType1385(SettingsImage& image, bool type1385) {
  RequireOld(image, false);
  image.SetBit(Pos(image, Options), kNewThermometerBit, type1385);
}

bool OptionBit(const SettingsImage& image, int bit) {
  return image.GetBit(Pos(image, Options), bit);
}

void SetOptionBit(SettingsImage& image, int bit, bool value) {
  image.SetBit(Pos(image, Options), bit, value);
}

}  // namespace vrx
