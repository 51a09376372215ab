#pragma once

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>

#include "cli/VrxCtl.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"
#include "sim/Rq7Unit.h"
#include "support/CtlRun.h"
#include "support/Rq7TestSupport.h"

// The companion against one emulated heat calculator that outlives its runs.
namespace vrx::test {

using sim::ByteProtocolInstrument;

inline QDateTime At(int year, int month, int day, int hour, int minute) {
  return QDateTime(QDate(year, month, day), QTime(hour, minute, 42));
}

// The emulated lines the companion's tests talk to: a heat calculator of a type, the RQ-7 unit
// with a block written by hand, a VRX-L13-2.2 with an interface module at 9600 baud.
inline std::unique_ptr<sim::EmulatedInstrument> Calculator(const char* type) {
  sim::HeatCalculatorConfig config;
  config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
  return std::make_unique<sim::EmulatedInstrument>(std::make_unique<sim::HeatCalculator>(config));
}
inline std::unique_ptr<sim::EmulatedInstrument> Unit() {
  auto unit = std::make_unique<sim::EmulatedInstrument>(std::make_unique<sim::Rq7Unit>());
  unit->Device().SetImage(HandWrittenUnitBlock());
  return unit;
}
inline std::unique_ptr<sim::EmulatedInstrument> Module() {
  return std::make_unique<sim::EmulatedInstrument>(std::make_unique<sim::HeatCalculator>(),
                                                   sim::InterfaceModuleConfig{.baudRate = 9600});
}

// One emulated heat calculator that every run of the companion talks to through --port, so that
// what one run writes the next one reads.
struct Instrument {
  std::unique_ptr<sim::EmulatedInstrument> emulator;
  QTemporaryDir dir;

  // Options every run gets after --port.
  QStringList lineOptions;

  explicit Instrument(const char* type) {
    sim::HeatCalculatorConfig config;
    config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
    emulator =
        std::make_unique<sim::EmulatedInstrument>(std::make_unique<sim::HeatCalculator>(config));
  }
  explicit Instrument(std::unique_ptr<sim::EmulatedInstrument> line) : emulator(std::move(line)) {}

  ByteProtocolInstrument& Device() { return emulator->Device(); }

  CtlRun Run(QStringList arguments, const QString& input = {},
             const QDateTime& now = At(2024, 12, 31, 23, 59)) {
    return RunCtl(QStringList{"--port", QString::fromStdString(emulator->SlavePath())} +
                      lineOptions + arguments,
                  input, [now] { return now; });
  }

  // `settings --json`, kept as a form file.
  QString SaveForm(const QString& name = "form.json") {
    const CtlRun run = Run({"settings", "--json"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    return Write(name, run.out.toUtf8());
  }
  QString Write(const QString& name, const QByteArray& text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
  }
  QString WriteForm(const QJsonObject& form) {
    return Write("edited.json", QJsonDocument(form).toJson());
  }
  bool Heard(uint8_t command) const {
    for (uint8_t byte : emulator->Device().Heard()) {
      if (byte == command)
        return true;
    }
    return false;
  }
};

// The companion against one emulated line, with the journal in a file of the test.
struct Line : Instrument {
  explicit Line(std::unique_ptr<sim::EmulatedInstrument> emulator)
      : Instrument(std::move(emulator)) {
    lineOptions = {"--journal", journal};
  }
  void UseJournal(const QString& path) {
    journal = path;
    lineOptions = {"--journal", journal};
  }
  QString Form(const QJsonObject& form) { return WriteForm(form); }
  // The list's lines without its titles.
  QStringList Records(const QStringList& filter = {}) {
    const CtlRun list = Run(QStringList{"journal", "list"} + filter);
    EXPECT_EQ(list.code, 0) << list.err.toStdString();
    return list.out.split('\n', Qt::SkipEmptyParts).mid(1);
  }

  QString journal = dir.filePath("journal.sqlite");
};

}  // namespace vrx::test
