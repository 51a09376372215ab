#pragma once

#include <cstdint>

#include "model/Catalogue.h"

namespace vrx {

// What the last identification found. Nothing resets it between actions: the next
// identification overwrites what it reaches.
struct ConnectionState {
  const TFamilyRecord* Family = nullptr;
  const TDeviceRecord* DeviceType = nullptr;
  int TypeIndex = 0;
  const SettingsLayout* Layout = nullptr;
  uint8_t VersionByte = 0;
  bool SupportsPmax = false;
  bool LowTypeCode = false;
  bool TypeByte10 = false;
  uint8_t SubVersion = 0;
  // The scheme stored in the instrument, set by whoever reads an image.
  const TSchemeRecord* DeviceScheme = nullptr;
};

}  // namespace vrx
