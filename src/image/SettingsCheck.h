#pragma once

#include <QStringList>

#include "image/SettingsImage.h"
#include "model/Messages.h"

namespace vrx {

// The faults of a settings image read from a new-format instrument that keep it from working:
// an unknown scheme code, a season month outside 1..12, a bad clock correction byte. Empty for
// a VRX-L1, whose image is not checked.
QStringList SettingsImageFaults(const SettingsImage& image);

// Shows the faults, if any, in one warning that ends with "Прибор не будет работать.". It only
// warns: the caller's operation goes on.
void CheckSettingsImage(const SettingsImage& image, Messages& messages);

}  // namespace vrx
