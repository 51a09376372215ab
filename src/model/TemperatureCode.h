#pragma once

#include <cstdint>

namespace vrx {

// The VRX-L1 temperature table of a family: 0 for family codes 0 and 1, 1 for codes 2 and 3
// (the same choice as the sensor coefficient "1,391" / "1,385").
int TemperatureTableIndex(uint8_t familyCode);

// Degrees Celsius of a VRX-L1 thermometer ADC code, or -1 when the code lies beyond the last
// segment of the table. Throws std::out_of_range for a table index other than 0 and 1.
double CodeToTemperature(int tableIndex, int code);

}  // namespace vrx
