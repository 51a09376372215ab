#pragma once

#include <functional>
#include <memory>

#include "calibration/CheckTimer.h"
#include "model/Messages.h"
#include "sim/HeatCalculator.h"
#include "support/EmulatedLink.h"
#include "support/ErrorOf.h"

namespace vrx::test {

// An emulated heat calculator of one catalogue type with the messages a dialog would show.
struct CalibrationBench {
  explicit CalibrationBench(const char* type) {
    sim::HeatCalculatorConfig config;
    config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
    line = EmulatedLink::HeatCalculator(config);
  }

  sim::HeatCalculator& Device() { return static_cast<sim::HeatCalculator&>(line->Device()); }
  void Channels(const std::function<void(sim::CalibrationChannels&)>& use) {
    Device().WithCalibration(use);
  }

  std::unique_ptr<EmulatedLink> line;
  RecordingMessages messages;
  // The test fires the ticks: a check run on the virtual clock.
  SteppedTimer timer;
};

}  // namespace vrx::test
