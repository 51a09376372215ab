#include "model/TemperatureCode.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace vrx {

namespace {

// One straight piece of the thermometer curve: codes up to `upper` map through offset and slope.
struct Segment {
  int upper;
  int offset;
  int slope;
};

constexpr Segment kTables[2][6] = {
    {
        {2031, 247800, 1008},
        {4047, 231600, 1016},
        {6048, 204000, 1023},
        {8034, 156000, 1031},
        {10005, 92050, 1039},
        {11729, 12000, 1047},
    },
    {
        {2031, 246800, 1024},
        {4047, 230750, 1032},
        {6048, 198000, 1040},
        {8034, 149500, 1048},
        {10005, 84930, 1056},
        {11547, 5450, 1064},
    },
};

}  // namespace

int TemperatureTableIndex(uint8_t familyCode) {
  return (familyCode >> 1) & 1;
}

double CodeToTemperature(int tableIndex, int code) {
  if (tableIndex < 0 || tableIndex > 1) {
    throw std::out_of_range("temperature table " + std::to_string(tableIndex));
  }
  for (const Segment& segment : kTables[tableIndex]) {
    if (segment.upper >= code) {
      const int64_t scaled = static_cast<int64_t>(code) * segment.slope + segment.offset;
      return std::trunc(static_cast<double>(scaled) / 1024 + 0.5) / 80;
    }
  }
  return -1;
}

}  // namespace vrx
