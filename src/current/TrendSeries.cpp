#include "current/TrendSeries.h"

namespace vrx {

void TrendSeries::Append(int64_t ms, double value) {
  recent_.push_back({ms, value});
  while (recent_.front().ms <= ms - kFullMs) {
    const Point old = recent_.front();
    recent_.pop_front();
    if (thinned_.empty() || thinned_.back().ms / kBucketMs != old.ms / kBucketMs)
      thinned_.push_back(old);
  }
  while (!thinned_.empty() && thinned_.front().ms <= ms - kKeepMs)
    thinned_.pop_front();
}

void TrendSeries::Clear() {
  thinned_.clear();
  recent_.clear();
}

QVector<QPointF> TrendSeries::Points() const {
  QVector<QPointF> points;
  points.reserve(static_cast<qsizetype>(Size()));
  for (const auto* part : {&thinned_, &recent_}) {
    for (const Point& p : *part)
      points.append(QPointF(static_cast<double>(p.ms), p.value));
  }
  return points;
}

}  // namespace vrx
