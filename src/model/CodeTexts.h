#pragma once

#include <QString>
#include <cstdint>

namespace vrx {

// Constant texts shown for the codes of the settings image and the current-parameters block.
// Every getter answers "Недоп. зн." (or, for the two-entry tables, an empty text) for an index
// outside its table.

inline constexpr const char* kInvalidValueText = "Недоп. зн.";

// VRX-L1 pulse value of a two-bit scale code; `coarse` for the optional channel when it counts
// ten times coarser.
QString L1PulseValueText(int scaleCode, bool coarse);
// The same with the unit " м3/имп".
QString L1PulseValueUnitText(int scaleCode, bool coarse);

// Pulse value of a diameter group 0..3 and pulse-value code 0..3, bare and with the unit.
QString PulseValueText(int group, int code);
QString PulseValueUnitText(int group, int code);

// "15...40", "50...100", "125...300" for groups 0..2.
QString DiameterGroupText(int group);

// "Измеряемая" (0) or "Договорная" (1).
QString TemperatureSourceText(int index);

// "Есть" (0) or "Нет" (1).
QString YesNoText(int index);

// VRX-L1 sensor coefficient of a family code: "1,391" for codes 0 and 1, "1,385" for 2 and 3.
QString SensorCoefficientText(uint8_t familyCode);

}  // namespace vrx
