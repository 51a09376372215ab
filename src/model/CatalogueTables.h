#pragma once

// The catalogue rows themselves; the rest of the program reaches them through Catalogue.h.

#include <array>

#include "model/Catalogue.h"

namespace vrx {

extern const std::array<TFamilyRecord, kFamilyCount> kFamilyTable;
extern const std::array<TDeviceRecord, kTypeCount> kDeviceTypeTable;

}  // namespace vrx
