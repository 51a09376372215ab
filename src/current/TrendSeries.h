#pragma once

#include <QPointF>
#include <QVector>
#include <cstdint>
#include <deque>

namespace vrx {

// The points of one quantity over time, bounded for a day of polling: the last hour keeps every
// point, older points are thinned to the first of each minute, and points older than a day are
// dropped. Times are milliseconds since the epoch and only grow.
class TrendSeries {
 public:
  static constexpr int64_t kFullMs = 60 * 60 * 1000;
  static constexpr int64_t kBucketMs = 60 * 1000;
  static constexpr int64_t kKeepMs = 24 * kFullMs;

  struct Point {
    int64_t ms;
    double value;
  };

  void Append(int64_t ms, double value);
  void Clear();
  size_t Size() const { return thinned_.size() + recent_.size(); }
  // Every point kept, oldest first, as chart points (x: milliseconds since the epoch).
  QVector<QPointF> Points() const;

 private:
  std::deque<Point> thinned_;
  std::deque<Point> recent_;
};

}  // namespace vrx
