#pragma once

#include <cstdint>

#include "model/Catalogue.h"

namespace vrx {

// The type, family and scheme records chosen on the tab "Инициализация VRX". After "Считать"
// they are the connected instrument's.
struct UiSelection {
  const TDeviceRecord* type = nullptr;
  const TFamilyRecord* family = nullptr;
  const TSchemeRecord* scheme = nullptr;  // none while no scheme item is selected
  bool fVariant = false;                  // the selected item is the "F" variant of the scheme

  // The VRX-L1 keeps the old image format.
  bool OldFormat() const { return family != nullptr && family->IsL1Family != 0; }
  int ChannelCount() const { return family != nullptr ? family->ChannelCount : 0; }
  // Whether the selected scheme has an option bit of its flag word; false without a scheme.
  bool SchemeHas(uint32_t option) const {
    return scheme != nullptr && (scheme->Flags & option) != 0;
  }
};

}  // namespace vrx
