#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <utility>

namespace vrx {

// One entry of a family's measuring-scheme list.
struct TSchemeRecord {
  uint32_t PictureNumber;
  uint32_t SchemeNumber;
  uint32_t DeviceCode;  // the scheme byte stored in the settings image
  uint32_t Flags;       // three bits per channel plus option bits
  uint16_t PairRule1;
  uint16_t PairRule2;
  uint8_t TempPairChannel;
  uint8_t Circuit1Channels;
  uint8_t Circuit2Channels;
  std::array<uint8_t, 5> CircuitTests;

  bool operator==(const TSchemeRecord&) const = default;
};

// Positions of the settings-image fields of one model. Entry 0 is the image length; the
// others are 1-based positions, 0 meaning the model has no such field.
using SettingsLayout = std::array<uint8_t, 26>;

enum SettingsField : int {
  Length = 0,
  DevNo = 1,
  DevAddr = 2,
  Scheme = 3,
  ChannelBytes = 4,
  Options = 5,
  TempPresets = 6,
  PressurePresets = 7,
  Tcw = 8,
  TcwPressure = 9,
  CircuitBits = 10,
  Tp1 = 11,
  Tp2 = 12,
  Tp3 = 13,
  Tp4 = 14,
  Q1 = 15,
  G1 = 16,
  Gmin = 17,
  GminDigits = 18,
  GminExponents = 19,
  Months = 20,
  InitTime = 21,
  RtcCorrection = 22,
  Tp5 = 23,
  CounterRegion1Length = 24,
  CounterRegion2Length = 25,
};

// Positions inside the current-parameters block of one family; entry 0 is the block length.
using CurrentParamsLayout = std::array<uint8_t, 23>;

enum CurrentField : int {
  BlockLength = 0,
  SerialNumber = 1,
  NetworkAddress = 2,
  SchemeCode = 3,
  ChannelCodes = 4,
  FlagsByte = 5,
  TemperatureWords = 6,
  PressureBytes = 7,
  PressureRangeNibbles = 8,
  ColdWaterTemperature = 9,
  ColdWaterPressure = 10,
  OperatingTime1 = 11,
  OperatingTime2 = 12,
  OperatingTime3 = 13,
  OperatingTime4 = 14,
  OperatingTime5 = 15,
  HeatEnergy = 16,
  Volume = 17,
  ThermalPower = 18,
  FlowRate = 19,
  FirstErrorByte = 20,
  FlowRatioErrorByte = 21,
  FirmwareVersion = 22,
};

struct TFamilyRecord {
  uint8_t IsL1Family;
  uint8_t IsL3Family;
  int32_t ChannelCount;
  std::span<const TSchemeRecord> Schemes;
  uint32_t AllChannelFlags;
  const CurrentParamsLayout* CurrentLayout;
  uint8_t Code;
};

struct TDeviceRecord {
  const char* Name;
  uint8_t Code;
  std::array<uint8_t, 3> VersionCodes;
  uint8_t IsL3Type;
  uint8_t IsL5;
  uint8_t HwRevision;
  int32_t MinorVersion;
  int32_t SchemeCount;
  const SettingsLayout* Layout;
};

inline constexpr int kFamilyCount = 8;
inline constexpr int kTypeCount = 34;

// The constant tables, in catalogue order (index 0 of the span is catalogue index 1).
std::span<const TFamilyRecord, kFamilyCount> Families();
std::span<const TDeviceRecord, kTypeCount> DeviceTypes();

// 1-based accessors; an index out of range is a programming error and throws std::out_of_range.
const TFamilyRecord& FamilyAt(int index);
const TDeviceRecord& DeviceTypeAt(int index);

// The family whose scheme list a type uses (the first family row with the type's code).
const TFamilyRecord& FamilyOf(const TDeviceRecord& type);

// Index 1..8 of the first family whose Code equals the argument.
// Throws EOwned "Неподдерживаемая версия прибора" when there is none.
int FamilyLookup(uint8_t familyCode);

// Index 1..34 of the first type row with that code whose VersionCodes contain the version byte.
// Throws EOwned "Неподдерживаемая версия прибора" when there is none.
int TypeLookup(uint8_t familyCode, uint8_t versionByte);

// 1-based position, among the first type.SchemeCount entries of family.Schemes, of the first
// scheme whose DeviceCode equals the code. Throws EOwned
// "Неправильный номер схемы теплопотребления. Прибор не проинициализирован." when there is none.
int SchemeLookup(const TFamilyRecord& family, const TDeviceRecord& type, uint8_t schemeCode);

// True when the scheme has an "F" variant in a VRX-L5 scheme list.
bool HasFVariant(const TSchemeRecord& scheme);

// Mapping between scheme positions and positions in the workspace's scheme list, which for
// VRX-L5 types also holds the "F" variants. Both are the identity for every other type.
int SchemeToListPosition(const TDeviceRecord& type, bool fVariant, int schemePosition);
std::pair<int, bool> ListPositionToScheme(const TDeviceRecord& type, int listPosition);

}  // namespace vrx
