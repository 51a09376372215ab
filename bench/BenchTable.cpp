#include "BenchTable.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "LineFloor.h"

namespace vrx::bench {

BenchTable::BenchTable() {
  std::printf("%-14s %6s %10s %10s %7s %7s  goal %.2f\n", "case", "baud", "median", "floor",
              "median", "worst", kGoal);
}

void BenchTable::Row(const char* name, uint32_t baud, double floorMs,
                     const std::function<void()>& action) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    action();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  Times(name, baud, std::move(times), floorMs);
}

void BenchTable::Traced(const char* name, uint32_t baud, TComPort& port,
                        const std::function<void()>& action) {
  Row(name, baud, TracedFloor(port, action).Ms(), action);
}

void BenchTable::Times(const char* name, uint32_t baud, std::vector<double> timesMs, double floorMs,
                       const char* note) {
  std::sort(timesMs.begin(), timesMs.end());
  const double median = timesMs[timesMs.size() / 2];
  const double medianRatio = median / floorMs;
  const double worstRatio = timesMs.back() / floorMs;
  withinLimit_ = withinLimit_ && medianRatio <= kLimit;
  std::printf("%-14s %6u %8.1fms %8.1fms %7.3f %7.3f  %s%s\n", name, baud, median, floorMs,
              medianRatio, worstRatio, medianRatio <= kGoal ? "met" : "missed", note);
  std::fflush(stdout);
}

void BenchTable::Fail(const char* why) {
  std::printf("%s\n", why);
  withinLimit_ = false;
}

int BenchTable::Finish() const {
  std::printf("limit %.2f: %s\n", kLimit, withinLimit_ ? "met" : "EXCEEDED");
  return withinLimit_ ? 0 : 1;
}

}  // namespace vrx::bench
