#pragma once

#include <cstdint>
#include <vector>

#include "model/Catalogue.h"

namespace vrx::sim {

// The settings block of a freshly initialized instrument of the type: a scheme the type offers
// (with cold water, and both heat circuits where the model has them), device number 1234,
// network address 1, summer month 4 and winter month 10, cold water at 15.0 / 5.0 degrees and
// 3 kgf/cm2, agreed temperatures of 70 and 40 degrees, thresholds and circuit settings as the
// tool would have written them, a plausible time stamp and cleared counters.
std::vector<uint8_t> DefaultSettingsImage(const TDeviceRecord& type);

}  // namespace vrx::sim
