#pragma once

#include <QString>

namespace vrx {

// The agreed-value rules shared by the channel grid (checked as a value is typed) and the
// validation before initialization. A violation raises EValidation with the rule's message and
// `focusControl` as the control to focus. A value that is not a number (NaN) violates both.

// Agreed temperature, degrees Celsius: 3..150 on a VRX-L1 (old format), 1..150 elsewhere.
void CheckAgreedTemperature(bool oldFormat, double celsius, const QString& focusControl);

// Agreed pressure, kgf/cm2: 1..16 on a VRX-L1, 0..16 elsewhere.
void CheckAgreedPressure(bool oldFormat, double kgf, const QString& focusControl);

}  // namespace vrx
