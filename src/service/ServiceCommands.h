#pragma once

#include <QString>
#include <cstdint>

#include "link/Connection.h"
#include "service/SettingsWrite.h"

namespace vrx {

// The LB (low battery) threshold of the VRX-L3 kind, kept in one byte of the settings image
// (the layout's entry 5), against the 16-bit supply reading of command 3. All arithmetic on
// codes is unsigned 16-bit.
namespace lb {

inline constexpr const char* kSetVoltage = "Установите напряжение питания равным 3,2В";
inline constexpr const char* kBelowMinimum =
    "Порог ниже минимального. Установлено минимальное значение";
inline constexpr const char* kAboveMaximum =
    "Порог выше максимального. Установлено максимальное значение";
inline constexpr const char* kSet = "Порог срабатывания LB установлен";

// The threshold code the byte selects.
uint16_t ThresholdCode(uint8_t byte, bool supportsPmax);

// The threshold step of a reading taken at the reference voltage, clamped to the format's
// range, and the text that reports it.
struct Step {
  int step = 0;
  QString text;
};
Step StepOfReading(uint16_t reading, bool supportsPmax);

// The byte with the step put into its threshold bits; the other bits are kept.
uint8_t WithStep(uint8_t byte, int step, bool supportsPmax);

}  // namespace lb

// The single-command services of the tab "Сервис". Each identifies the instrument first and
// refuses the models it does not apply to before anything else is sent.
class ServiceCommands {
 public:
  explicit ServiceCommands(Connection& connection);

  // VRX-L1 only: leaves initialization mode (command 3) and reports it.
  void ExitInitMode(Messages& messages);
  // Every model but the VRX-L1: whether the supply is low. The VRX-L3 kind compares its
  // reading with the threshold its settings select; the VRX-L2 kind says so itself.
  bool SupplyLow();
  // The VRX-L3 kind: asks for the reference voltage, takes the reading, stores the nearest
  // threshold step and reports it. An error before the write leaves the instrument unchanged.
  void SetLbThreshold(const SettingsWrite& write);

 private:
  uint16_t ReadSupply();

  Connection& connection_;
};

}  // namespace vrx
