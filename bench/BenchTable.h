#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "link/ComPort.h"

namespace vrx::bench {

// The benchmark's table: every row times an operation several times against its floor and
// prints the median time, the floor, the median and the worst ratio to the floor, and whether
// the goal was met. A median ratio above the limit fails the run (one run slowed down by the
// machine's other work does not).
class BenchTable {
 public:
  static constexpr double kLimit = 1.10;
  static constexpr double kGoal = 1.02;
  static constexpr int kRuns = 5;

  // Prints the heading.
  BenchTable();

  // Times `action` kRuns times against `floorMs`.
  void Row(const char* name, uint32_t baud, double floorMs, const std::function<void()>& action);
  // Runs `action` once with the port traced, for its floor (and as the warm-up), then as Row.
  void Traced(const char* name, uint32_t baud, TComPort& port, const std::function<void()>& action);
  // A row of times measured by the caller; `note` follows the goal.
  void Times(const char* name, uint32_t baud, std::vector<double> timesMs, double floorMs,
             const char* note = "");
  // A row that could not be measured fails the run.
  void Fail(const char* why);

  // Prints whether the limit was met and returns the exit code.
  int Finish() const;

 private:
  bool withinLimit_ = true;
};

}  // namespace vrx::bench
