#pragma once

#include <QLocale>
#include <cstdint>

#include "image/SettingsImage.h"

namespace vrx {

// Flow-threshold fields of the new format. Only the measuring channels (all but the last) have
// them; a VRX-L1 has none.

// The stored threshold code of a channel: a whole byte on the VRX-L2 and VRX-L5, a nibble on the
// VRX-L3 (odd channels low, even channels high), bits 0-4 and 7 of the byte on the VRX-L12 and
// VRX-L13. The setter replaces exactly those bits.
uint8_t ThresholdCode(const SettingsImage& image, int channel);
void SetThresholdCode(SettingsImage& image, int channel, uint8_t code);

// Minimum-flow divisor code `gth` (0..3), bits 5-6 of the threshold byte; VRX-L12 and VRX-L13.
int MinFlowDivisorCode(const SettingsImage& image, int channel);
void SetMinFlowDivisorCode(SettingsImage& image, int channel, int code);

// Clears the threshold bytes of the first two measuring channels and the exponents byte, as
// initialization does before it writes the thresholds; fields the model lacks are skipped.
void ClearThresholdFields(SettingsImage& image);

// The threshold as the instrument's display shows it: two decimal digits (0..99) divided by ten
// to the power of the exponent (0..3).
struct ThresholdDisplay {
  int digits = 0;
  int exponent = 0;
  bool operator==(const ThresholdDisplay&) const = default;
};

// The display form of a threshold, taken from its grid text (FormatFlow). Thresholds the form
// cannot hold get the nearest value it can: 100 and more are shown as 99, values below 0.01 keep
// the exponent 3 and are rounded to thousandths, and 0 (or less) is stored as 0.
ThresholdDisplay ThresholdDisplayOf(double threshold, const QLocale& locale = QLocale());
double ThresholdDisplayValue(ThresholdDisplay display);

// Display digits (BCD, first digit in the high nibble) and exponent of a channel; VRX-L5,
// VRX-L12 and VRX-L13. The setter replaces the channel's two exponent bits only.
bool HasThresholdDisplay(const SettingsImage& image);
ThresholdDisplay ThresholdDisplayAt(const SettingsImage& image, int channel);
void SetThresholdDisplay(SettingsImage& image, int channel, ThresholdDisplay display);

}  // namespace vrx
