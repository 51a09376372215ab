#pragma once

#include <QTemporaryDir>
#include <memory>

#include "link/CursorControl.h"
#include "link/Pacer.h"
#include "session/RunContext.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"

namespace vrx::test {

// A run context whose COM1 is an emulated heat calculator of one type, for the dialogs.
struct CalibrationDialogBench {
  explicit CalibrationDialogBench(const char* type)
      : emulator(std::make_unique<sim::HeatCalculator>(Config(type))) {
    context.connection.port.Naming().SetOverride(1, QString::fromStdString(emulator.SlavePath()));
    context.connection.port.Open(1, 4800, 1500);
  }
  ~CalibrationDialogBench() { context.connection.port.Close(); }

  static sim::HeatCalculatorConfig Config(const char* type) {
    sim::HeatCalculatorConfig config;
    config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
    return config;
  }
  sim::HeatCalculator& Device() { return static_cast<sim::HeatCalculator&>(emulator.Device()); }

  QTemporaryDir dir;
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  RunContext context{pacer,    cursor,
                     messages, PortNaming(PortNaming::SettingLookup{}),
                     {},       dir.filePath("tool.ini")};
  sim::EmulatedInstrument emulator;
};

}  // namespace vrx::test
