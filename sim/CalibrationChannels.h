#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Catalogue.h"
#include "sim/Faults.h"

namespace vrx::sim {

// The measuring channels of a heat calculator as its calibration commands see them: the ADC of
// the resistance-thermometer inputs with its correction coefficient, and the current-loop
// pressure inputs with their coefficient block.
//
// Commands 6 and 8 are also the clock and current-parameters requests, and 13 ends a reading of
// the current values. The instrument tells the uses apart by an ADC mode: command 9 (read the
// coefficient) or 10 (read the pressure block) opens it, command 5 (identification, with which
// every action of the tool begins) closes it. Only in ADC mode do 6, 8 and 13 answer an ADC code.
//
// Not thread-safe on its own: the heat calculator calls it with its lock held.
class CalibrationChannels {
 public:
  static constexpr uint16_t kDefaultCoefficient = 65400;
  static constexpr double kDefaultRefOhms = 100.0;
  static constexpr double kDefaultLoopMa = 20.0;

  CalibrationChannels(const TFamilyRecord& family, const TDeviceRecord& type, bool supportsPmax);

  // Whether the command belongs to the calibration in the present mode.
  bool Handles(uint8_t command) const;
  // The answer after the echo (or without one, on a VRX-L1).
  std::vector<uint8_t> Answer(uint8_t command);
  // Data bytes the command takes: the pressure block for command 11.
  size_t DataLength(uint8_t command) const;
  void DataTaken(uint8_t command, const std::vector<uint8_t>& data);
  // A VRX-L1 answers its calibration commands without an echo.
  bool Echoes(uint8_t command) const;
  void CloseAdcMode() { adcMode_ = false; }

  // The resistance on thermometer input 1..5 and the current in pressure loop 1..4.
  void SetRefOhms(int channel, double ohms);
  void SetLoopMa(int channel, double milliamps);
  void SetCoefficient(uint16_t k) { coefficient_ = k; }
  uint16_t Coefficient() const { return coefficient_; }
  std::vector<uint8_t> PressureBlock() const { return block_; }
  void SetPressureBlock(std::vector<uint8_t> block);
  // Every block command 11 took, in order.
  const std::vector<std::vector<uint8_t>>& BlockWrites() const { return blockWrites_; }
  void Arm(CalibrationFault fault) { armed_[static_cast<size_t>(fault)] = true; }

 private:
  std::optional<int> ThermometerChannel(uint8_t command) const;
  std::vector<uint8_t> Word(uint16_t value) const;
  uint16_t ThermometerCode(int channel);
  uint16_t PressureCode(int channel);
  int Noise();
  bool Fire(CalibrationFault fault);

  const bool l1_;
  const double fullScaleOhms_;
  const int inputType_;
  const int pressureChannels_;
  uint16_t coefficient_ = kDefaultCoefficient;
  std::array<double, 5> refOhms_;
  std::array<double, 4> loopMa_;
  std::vector<uint8_t> block_;
  std::vector<std::vector<uint8_t>> blockWrites_;
  std::array<bool, 2> armed_{};
  bool adcMode_ = false;
  unsigned noiseStep_ = 0;
};

}  // namespace vrx::sim
