#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "model/Catalogue.h"
#include "sim/ByteProtocolInstrument.h"
#include "sim/CurrentValues.h"
#include "sim/CalibrationChannels.h"

namespace vrx::sim {

struct HeatCalculatorConfig {
  int typeIndex = 34;  // 1-based row of the catalogue's type table
  // The raw identification byte; by default the family code of the type (plus 4 for every
  // model after the VRX-L1). Any byte may be played, e.g. 10 or the aliases 4..7.
  std::optional<uint8_t> typeByte = std::nullopt;
  // By default the type row's first version code.
  std::optional<uint8_t> versionByte = std::nullopt;
  // Sent after the version byte by the VRX-L12, the VRX-L13 and the VRX-L3 line with a version
  // byte of the form 101xxx11; the low nibble is the tens digit of the sub-version.
  uint8_t subVersionByte = 0x12;
  uint32_t baudRate = 4800;
  // What command 3 answers on the models that report their supply: the VRX-L3 kind sends it as
  // a 16-bit reading, least significant byte first; the VRX-L2 kind sends its low byte, 0 for a
  // normal supply. The default is normal against every threshold the LB byte can select.
  uint16_t supply = kNormalSupply;
  static constexpr uint16_t kNormalSupply = 0xE400;
  // The instrument's clock; empty: the PC's local time. Tests fix it to get fixed blocks.
  CurrentValues::TimeSource clock = {};
};

// A VRX-L heat calculator of any catalogue type: it identifies itself (command 5), hands out
// and takes its settings image (commands 4, 0 and 18), answers command 3, which on a VRX-L1
// leaves initialization mode and on the other models reports the supply, and reports its clock
// (command 6) and current values (command 8). Commands 13 (end of a reading) and 0x80 (first
// command behind the OPX adapter) are only echoed. Corrections and counters are bytes of the
// settings image, so they need no command of their own.
class HeatCalculator : public ByteProtocolInstrument {
 public:
  static constexpr uint8_t kLeaveInitMode = 3;
  static constexpr uint8_t kIdentify = 5;
  static constexpr uint8_t kClockBlock = 6;
  static constexpr uint8_t kCurrentBlock = 8;

  explicit HeatCalculator(const HeatCalculatorConfig& config = {});

  // The catalogue index 1..34 of the type with exactly that name; 0 when there is none.
  static int TypeIndexByName(std::string_view name);

  int TypeIndex() const { return typeIndex_; }
  // How many times command 3 was heard.
  int InitModeExits() const;
  // The supply reading command 3 reports from now on.
  void SetSupply(uint16_t reading);
  // The calibration channels, locked for the call so they can be changed while serving.
  void WithCalibration(const std::function<void(CalibrationChannels&)>& use);

  // The clock and current values; lock with WithCurrentValues to change them while serving.
  void WithCurrentValues(const std::function<void(CurrentValues&)>& change);

 protected:
  std::vector<uint8_t> AnswerCommand(uint8_t command) override;
  void BlockTaken() override;
  // The clock block (0x50) and the current-parameters block (0x51) for the interface module.
  std::vector<uint8_t> ForwardedBlock(uint8_t function) override;
  size_t DataLength(uint8_t command) const override;
  void DataTaken(uint8_t command, const std::vector<uint8_t>& data) override;
  bool EchoesCommand(uint8_t command) const override;

 private:
  std::vector<uint8_t> Identification() const;
  std::vector<uint8_t> CommandThree();

  const int typeIndex_;
  const uint8_t typeByte_;
  const uint8_t versionByte_;
  const uint8_t subVersionByte_;
  uint16_t supply_;
  int initModeExits_ = 0;
  CurrentValues currentValues_;
  CalibrationChannels calibration_;
};

}  // namespace vrx::sim
