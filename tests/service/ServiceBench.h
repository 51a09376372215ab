#pragma once

#include <QByteArray>
#include <QDateTime>
#include <memory>
#include <string>
#include <vector>

#include "service/SettingsWrite.h"
#include "sim/EmulatedInstrument.h"
#include "support/EmulatedLink.h"
#include "support/ErrorOf.h"
#include "support/ScriptedConfirmation.h"

namespace vrx::test {

// An emulated heat calculator on a real pseudo-terminal with everything a service write needs:
// recorded messages, a scripted clock question, a stamp at 23:59 on 31.12.2024 (59 23 31 12 24).
struct ServiceBench {
  // Declared before the line, so the port lets go of a replacement instrument first.
  std::unique_ptr<sim::EmulatedInstrument> replacement;
  std::unique_ptr<EmulatedLink> line;
  RecordingMessages messages;
  ScriptedConfirmation confirmation;
  PcTimeStamp stamp{[] { return QDateTime(QDate(2024, 12, 31), QTime(23, 59, 42)); }};

  explicit ServiceBench(const char* type, sim::HeatCalculatorConfig config = {}) {
    config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
    line = EmulatedLink::HeatCalculator(config);
  }

  Connection& Link() { return *line; }
  sim::HeatCalculator& Device() {
    return static_cast<sim::HeatCalculator&>(replacement ? replacement->Device() : line->Device());
  }
  SettingsWrite Write(bool erase = false) { return {stamp, confirmation, messages, erase}; }

  // Puts bytes into the instrument's image at a 1-based position.
  void Patch(int position, const char* hex) {
    std::vector<uint8_t> image = Device().Image();
    const QByteArray bytes = QByteArray::fromHex(hex);
    for (qsizetype i = 0; i < bytes.size(); ++i)
      image.at(static_cast<size_t>(position - 1 + i)) = static_cast<uint8_t>(bytes[i]);
    Device().SetImage(image);
  }
  // The instrument's image, as hex text that reads well in a failure.
  std::string ImageHex() {
    const std::vector<uint8_t> image = Device().Image();
    return QByteArray(reinterpret_cast<const char*>(image.data()),
                      static_cast<qsizetype>(image.size()))
        .toHex(' ')
        .toUpper()
        .toStdString();
  }
  // The same with the bytes of `hex` put in at the position: what a write should leave.
  std::string Expected(std::initializer_list<std::pair<int, const char*>> patches) {
    std::vector<uint8_t> image = Device().Image();
    for (const auto& [position, hex] : patches) {
      const QByteArray bytes = QByteArray::fromHex(hex);
      for (qsizetype i = 0; i < bytes.size(); ++i)
        image.at(static_cast<size_t>(position - 1 + i)) = static_cast<uint8_t>(bytes[i]);
    }
    return QByteArray(reinterpret_cast<const char*>(image.data()),
                      static_cast<qsizetype>(image.size()))
        .toHex(' ')
        .toUpper()
        .toStdString();
  }
  bool Wrote() { return !Device().Writes().empty(); }

  // Another instrument takes the place of the one on the line (the port is reopened to it).
  void Replace(const char* type) {
    sim::HeatCalculatorConfig config;
    config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
    replacement =
        std::make_unique<sim::EmulatedInstrument>(std::make_unique<sim::HeatCalculator>(config));
    line->port.Close();
    line->port.Naming().SetOverride(1, QString::fromStdString(replacement->SlavePath()));
    line->port.Open(1, 4800, EmulatedLink::kReadTimeoutMs);
  }
};

}  // namespace vrx::test
