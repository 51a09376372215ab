#pragma once

#include <cstdint>

#include "image/SettingsImage.h"

namespace vrx {

// The fields of the settings image in the stored units of the identified model. The functions
// choose the old (VRX-L1) or the new format themselves; where a field exists in one format only
// that is said. Channels are counted from 1.

enum class Season : uint8_t { Summer, Winter };

// --- Fields of both formats -------------------------------------------------------------------

// 16 bits: most significant byte first on a VRX-L1, least significant first elsewhere.
uint16_t DeviceNumber(const SettingsImage& image);
void SetDeviceNumber(SettingsImage& image, uint16_t number);

// 1..62, 0 for no network address.
uint8_t NetworkAddressByte(const SettingsImage& image);
void SetNetworkAddressByte(SettingsImage& image, uint8_t address);

// The DeviceCode of the scheme, not its number.
uint8_t SchemeCodeByte(const SettingsImage& image);
void SetSchemeCodeByte(SettingsImage& image, uint8_t code);

// Months of the switch-over to summer and winter cold-water temperature, 1..12 when valid. The
// old format keeps them in two bytes, the new one in the two nibbles of one byte (summer low).
struct SeasonMonths {
  int summer = 0;
  int winter = 0;
  bool operator==(const SeasonMonths&) const = default;
};
SeasonMonths SwitchMonths(const SettingsImage& image);
// The new format keeps the low four bits of each month.
void SetSwitchMonths(SettingsImage& image, SeasonMonths months);

// Cold-water temperature of a season in tenths of a degree.
uint8_t ColdWaterTenths(const SettingsImage& image, Season season);
void SetColdWaterTenths(SettingsImage& image, Season season, uint8_t tenths);

// Agreed temperature of a channel as the stored 16-bit word (least significant byte first in
// both formats): the thermometer code on a VRX-L1, 1/80 degree elsewhere.
uint16_t AgreedTemperatureWord(const SettingsImage& image, int channel);
void SetAgreedTemperatureWord(SettingsImage& image, int channel, uint16_t word);

// Agreed pressure of a channel: whole kgf/cm2 on a VRX-L1, tenths elsewhere.
uint8_t AgreedPressureByte(const SettingsImage& image, int channel);
void SetAgreedPressureByte(SettingsImage& image, int channel, uint8_t value);

// Pulse-value code (0..3) of a channel: two bits of the one pulse byte on a VRX-L1, bits 0-1 of
// the channel's byte elsewhere.
int PulseCode(const SettingsImage& image, int channel);
void SetPulseCode(SettingsImage& image, int channel, int code);

// Whether a channel uses its agreed temperature: one bit per channel on a VRX-L1, one bit for
// all channels elsewhere.
bool AgreedTemperatureFlag(const SettingsImage& image, int channel);
void SetAgreedTemperatureFlag(SettingsImage& image, int channel, bool on);

// Heat unit: false GJ, true Gcal.
bool HeatUnitGcal(const SettingsImage& image);
void SetHeatUnitGcal(SettingsImage& image, bool gcal);

// --- Old format (VRX-L1) ----------------------------------------------------------------------

// Cold-water pressure in kgf/cm2 (1..16), stored as pressure - 1 in the low four bits.
int OldColdWaterPressure(const SettingsImage& image);
void SetOldColdWaterPressure(SettingsImage& image, int kgf);

// The optional fourth channel is a water meter (else a FLX-2 transducer).
bool OldWaterMeter(const SettingsImage& image);
void SetOldWaterMeter(SettingsImage& image, bool waterMeter);

bool OldOptionalChannelOn(const SettingsImage& image);
void SetOldOptionalChannelOn(SettingsImage& image, bool on);

// Volume is measured instead of mass.
bool OldVolumeMeasurement(const SettingsImage& image);
void SetOldVolumeMeasurement(SettingsImage& image, bool volume);

// Cold-water enthalpy word of a season, most significant byte first at fixed positions.
uint16_t OldColdWaterEnthalpy(const SettingsImage& image, Season season);
void SetOldColdWaterEnthalpy(SettingsImage& image, Season season, uint16_t value);

// Thermometer code of an agreed temperature (degrees Celsius) for the family's thermometer class.
int16_t ThermometerCode(uint8_t familyCode, double celsius);

// Agreed-temperature code of a channel that measures volume instead of mass.
inline constexpr uint16_t kVolumeChannelTemperatureCode = 475;

// Cold-water enthalpy from the temperature (degrees Celsius) and pressure (kgf/cm2), in the
// stored units of the heat unit.
uint16_t ColdWaterEnthalpyCode(double celsius, int pressureKgf, bool gcal);

// --- New format -------------------------------------------------------------------------------

// Cold-water pressure in tenths of kgf/cm2.
uint8_t ColdWaterPressureTenths(const SettingsImage& image);
void SetColdWaterPressureTenths(SettingsImage& image, uint8_t tenths);

// Nominal-diameter group (0..3) of a channel.
int DiameterGroup(const SettingsImage& image, int channel);
void SetDiameterGroup(SettingsImage& image, int channel, int group);

// Bits of a channel's byte with their own meaning.
inline constexpr int kChannelSharedBit = 4;     // an instrument-wide setting, see below
inline constexpr int kThresholdTestOffBit = 6;  // flow threshold test (H, J) off
inline constexpr int kLineTestOffBit = 7;       // line test off
bool ChannelByteBit(const SettingsImage& image, int channel, int bit);
void SetChannelByteBit(SettingsImage& image, int channel, int bit, bool value);

// Thermometer type: false "1,391", true "1,385".
bool ThermometerType1385(const SettingsImage& image);
void SetThermometerType1385(SettingsImage& image, bool type1385);

// Option bits 5 to 7 whose meaning depends on the model.
bool OptionBit(const SettingsImage& image, int bit);
void SetOptionBit(SettingsImage& image, int bit, bool value);

}  // namespace vrx
