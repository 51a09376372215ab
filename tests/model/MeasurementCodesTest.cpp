#include <gtest/gtest.h>

#include <stdexcept>

#include "model/CodeTexts.h"
#include "model/TemperatureCode.h"

namespace vrx {
namespace {

// T = trunc((c x S + D) / 1024 + 0.5) / 80 with the first segment whose upper limit is at least c;
// the expectations are worked out by hand from the two tables.
TEST(CodeToTemperature, SegmentsAndTheirLimits) {
  struct Case {
    int table;
    int code;
    double expected;
  };
  const Case cases[] = {
      {0, 0, 242 / 80.0},        // 247800 / 1024 = 241.99
      {0, 2031, 2241 / 80.0},    // last code of segment 1
      {0, 2032, 2242 / 80.0},    // first code of segment 2: 2032 x 1016 + 231600
      {0, 11729, 12004 / 80.0},  // last code of the table
      {0, 11730, -1},           {1, 0, 241 / 80.0},  // 246800 / 1024 = 241.02
      {1, 4047, 4304 / 80.0},   {1, 4048, 4305 / 80.0},
      {1, 11547, 12003 / 80.0}, {1, 11548, -1},  // table 1 ends earlier than table 0
      {1, 65535, -1},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(CodeToTemperature(c.table, c.code), c.expected)
        << "table " << c.table << " code " << c.code;
  }
}

TEST(CodeToTemperature, TableIndexFollowsBitOneOfTheFamilyCode) {
  EXPECT_EQ(TemperatureTableIndex(0), 0);
  EXPECT_EQ(TemperatureTableIndex(1), 0);
  EXPECT_EQ(TemperatureTableIndex(2), 1);
  EXPECT_EQ(TemperatureTableIndex(3), 1);
  EXPECT_THROW(CodeToTemperature(2, 0), std::out_of_range);
  EXPECT_THROW(CodeToTemperature(-1, 0), std::out_of_range);
}

// Spot checks of the text tables: the unit is appended to values but not to "Недоп. зн.", and
// indexes outside a table give "Недоп. зн.".
TEST(CodeTexts, UnitsAndInvalidCodes) {
  struct Case {
    QString actual;
    const char* expected;
  };
  const Case cases[] = {
      {L1PulseValueText(2, false), "0,1"},
      {L1PulseValueUnitText(2, true), "1 м3/имп"},
      {L1PulseValueUnitText(3, true), "Недоп. зн."},
      {PulseValueText(0, 2), "0,005"},
      {PulseValueUnitText(1, 2), "0,05 м3/имп"},
      {PulseValueUnitText(2, 0), "Недоп. зн."},
      {PulseValueUnitText(3, 3), "Недоп. зн."},
      {PulseValueText(4, 1), "Недоп. зн."},
      {DiameterGroupText(2), "125...300"},
      {DiameterGroupText(7), "Недоп. зн."},
      {SensorCoefficientText(1), "1,391"},
      {SensorCoefficientText(2), "1,385"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.actual, QString::fromUtf8(c.expected));
  }
}

}  // namespace
}  // namespace vrx
