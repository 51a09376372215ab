#include "current/TrendSeries.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

// A readout every `stepS` seconds from 0 s on, `count` of them. Worked by hand: the last hour
// before the newest point keeps every point, the 23 hours before it the first point of each
// minute, anything older goes.
TEST(TrendSeries, KeepsTheLastHourWholeAndADayThinned) {
  struct Case {
    const char* label;
    int64_t stepS;
    int count;
    size_t size;
    double firstS;
  };
  const Case cases[] = {
      {"half an hour at 2 s: all 900", 2, 900, 900, 0},
      {"exactly an hour: 0 s is thinned to itself", 2, 1801, 1801, 0},
      {"two hours at 2 s: 1800 of the last hour, minutes 0..59", 2, 3600, 1860, 0},
      {"two hours at 10 s: 360 of the last hour, minutes 0..59", 10, 720, 420, 0},
      {"25 h at 2 s: 1800, minutes 60..1439; the first hour gone", 2, 45000, 3180, 3600},
      {"90 s steps: every point has a minute of its own", 90, 80, 80, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TrendSeries series;
    for (int i = 0; i < c.count; ++i)
      series.Append(i * c.stepS * 1000, i);
    const QVector<QPointF> points = series.Points();
    ASSERT_EQ(series.Size(), c.size);
    ASSERT_EQ(points.size(), static_cast<qsizetype>(c.size));
    EXPECT_EQ(points.front().x(), c.firstS * 1000);
    EXPECT_EQ(points.back().x(), static_cast<double>((c.count - 1) * c.stepS * 1000));
    for (qsizetype i = 1; i < points.size(); ++i)
      ASSERT_LT(points[i - 1].x(), points[i].x());
  }
}

TEST(TrendSeries, APointADayAfterTheLastLeavesItAloneAndClearEmpties) {
  TrendSeries series;
  series.Append(0, 1.5);
  series.Append(1000, 2.5);
  series.Append(TrendSeries::kKeepMs + 1000, 3.5);
  EXPECT_EQ(series.Points(), (QVector<QPointF>{{double(TrendSeries::kKeepMs + 1000), 3.5}}));
  series.Clear();
  EXPECT_EQ(series.Size(), 0u);
}

}  // namespace
}  // namespace vrx
