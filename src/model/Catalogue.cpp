#include "model/Catalogue.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "model/CatalogueTables.h"
#include "model/Errors.h"

namespace vrx {

namespace {

constexpr const char* kUnsupportedVersion = "Неподдерживаемая версия прибора";
constexpr const char* kBadScheme =
    "Неправильный номер схемы теплопотребления. Прибор не проинициализирован.";

constexpr uint32_t kFVariantMask = 0x06000000;

bool HasFVariantList(const TDeviceRecord& type) {
  return type.IsL3Type != 0 && type.IsL5 != 0;
}

// The scheme at a 1-based position of the type's family list; positions past the list are a
// programming error.
const TSchemeRecord& SchemeAt(const TDeviceRecord& type, int position) {
  const auto schemes = FamilyOf(type).Schemes;
  if (position < 1 || static_cast<size_t>(position) > schemes.size()) {
    throw std::out_of_range("scheme position " + std::to_string(position) + " out of range");
  }
  return schemes[position - 1];
}

}  // namespace

std::span<const TFamilyRecord, kFamilyCount> Families() {
  return kFamilyTable;
}

std::span<const TDeviceRecord, kTypeCount> DeviceTypes() {
  return kDeviceTypeTable;
}

const TFamilyRecord& FamilyAt(int index) {
  if (index < 1 || index > kFamilyCount) {
    throw std::out_of_range("family index " + std::to_string(index) + " out of range");
  }
  return kFamilyTable[index - 1];
}

const TDeviceRecord& DeviceTypeAt(int index) {
  if (index < 1 || index > kTypeCount) {
    throw std::out_of_range("type index " + std::to_string(index) + " out of range");
  }
  return kDeviceTypeTable[index - 1];
}

const TFamilyRecord& FamilyOf(const TDeviceRecord& type) {
  return FamilyAt(FamilyLookup(type.Code));
}

int FamilyLookup(uint8_t familyCode) {
  for (int i = 0; i < kFamilyCount; ++i) {
    if (kFamilyTable[i].Code == familyCode) {
      return i + 1;
    }
  }
  throw EOwned(kUnsupportedVersion);
}

int TypeLookup(uint8_t familyCode, uint8_t versionByte) {
  for (int i = 0; i < kTypeCount; ++i) {
    const TDeviceRecord& type = kDeviceTypeTable[i];
    if (type.Code == familyCode && std::find(type.VersionCodes.begin(), type.VersionCodes.end(),
                                             versionByte) != type.VersionCodes.end()) {
      return i + 1;
    }
  }
  throw EOwned(kUnsupportedVersion);
}

int SchemeLookup(const TFamilyRecord& family, const TDeviceRecord& type, uint8_t schemeCode) {
  const size_t offered =
      std::min(family.Schemes.size(), static_cast<size_t>(std::max(type.SchemeCount, 0)));
  for (size_t i = 0; i < offered; ++i) {
    if (family.Schemes[i].DeviceCode == schemeCode) {
      return static_cast<int>(i) + 1;
    }
  }
  throw EOwned(kBadScheme);
}

bool HasFVariant(const TSchemeRecord& scheme) {
  return (scheme.Flags & kFVariantMask) != 0;
}

int SchemeToListPosition(const TDeviceRecord& type, bool fVariant, int schemePosition) {
  if (!HasFVariantList(type)) {
    return schemePosition;
  }
  int position = 0;
  for (int i = 1; i <= schemePosition; ++i) {
    ++position;
    if (HasFVariant(SchemeAt(type, i)) && (i < schemePosition || fVariant)) {
      ++position;
    }
  }
  return position;
}

std::pair<int, bool> ListPositionToScheme(const TDeviceRecord& type, int listPosition) {
  if (!HasFVariantList(type)) {
    return {listPosition, false};
  }
  int scheme = 0;
  bool fVariant = false;
  for (int rest = listPosition; rest > 0;) {
    ++scheme;
    --rest;
    fVariant = false;
    if (HasFVariant(SchemeAt(type, scheme)) && rest > 0) {
      --rest;
      fVariant = true;
    }
  }
  return {scheme, fVariant};
}

}  // namespace vrx
