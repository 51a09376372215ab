#pragma once

#include <memory>

#include "fuzz/FuzzLine.h"
#include "service/CounterSetting.h"
#include "service/RtcAutocorrection.h"
#include "service/TicksCorrection.h"
#include "sim/HeatCalculator.h"

namespace vrx::fuzz {

// The correction dialogs of the tab "Сервис" as "Считать" leaves them, each against an
// in-process emulated instrument whose form has hidden and disabled controls: the RTC and
// pulse-value corrections of a VRX-L2-2.2 (channels 3 and 4 hidden), the counters of a
// VRX-L1-2.1 (fields disabled and hidden by its scheme).
struct CorrectionDialogs {
  CorrectionDialogs()
      : l2(Config("VRX-L2-2.2")),
        l1(Config("VRX-L1-2.1")),
        l2Line(std::make_unique<InstrumentLine>(l2)),
        l1Line(std::make_unique<InstrumentLine>(l1)),
        rtc(l2Line.connection),
        ticks(l2Line.connection),
        counters(l1Line.connection) {
    rtc.bnReadClick();
    ticks.bnReadClick();
    counters.bnReadClick();
  }

  static sim::HeatCalculatorConfig Config(const char* type) {
    sim::HeatCalculatorConfig config;
    config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
    return config;
  }

  sim::HeatCalculator l2;
  sim::HeatCalculator l1;
  LineConnection l2Line;
  LineConnection l1Line;
  RtcAutocorrection rtc;
  TicksCorrection ticks;
  CounterSetting counters;
};

}  // namespace vrx::fuzz
