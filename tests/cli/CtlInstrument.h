#pragma once

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>

#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"
#include "support/CtlRun.h"

// The companion against one emulated heat calculator that outlives its runs.
namespace vrx::test {

using sim::ByteProtocolInstrument;

inline QDateTime At(int year, int month, int day, int hour, int minute) {
  return QDateTime(QDate(year, month, day), QTime(hour, minute, 42));
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

}  // namespace vrx::test
