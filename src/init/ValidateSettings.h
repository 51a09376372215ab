#pragma once

#include <QString>
#include <cstdint>

#include "init/ControlState.h"
#include "init/InitWorkspace.h"

namespace vrx {

// Checks the tab "Инициализация VRX" before initialization, rule by rule in the tab's order:
// the scheme, the device number and network address, the cold-water values and months, every
// channel row, the channel-pair rules of the scheme and the agreed temperature by pressure. The
// first violation raises EValidation with its message and the form name of the control to
// focus (empty where the focus stays). Values corrected on the way stay corrected: edits get
// the locale's decimal separator, and each row's agreed values and threshold pass through their
// cell setters again (the threshold snapping to a value the instrument can store).
void ValidateSettings(InitWorkspace& workspace);

// The edit's text as an integer in [min, max]; a text that is not an integer counts as -1.
int CheckIntEdit(const EditState& edit, const QString& control, int min, int max,
                 const QString& message);

// Puts the locale's decimal separator into the edit's text, then requires the text as a number
// (0 when it is none) in [min, max].
double CheckFloatEdit(EditState& edit, const QString& control, const QString& message, double max,
                      double min);

// The rules of one channel-pair word of the scheme (channel A in bits 4-7, channel B in bits
// 0-3, rule flags in bits 8-15; 0 has none), preceded on a VRX-L12 and VRX-L13 by the group rules
// of the scheme's first circuit-test byte. Channels without a row are not compared. Raises
// without moving the focus.
void CheckPairRules(const InitWorkspace& workspace, uint16_t pairWord);

// The agreed temperature allowed at an agreed pressure (kgf/cm2; a VRX-L1 counts from 1); the
// grid gets the focus on a violation.
void CheckTemperatureByPressure(bool oldFormat, double temperature, double pressure);

}  // namespace vrx
