#include "sim/CalibrationChannels.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vrx::sim {

namespace {

constexpr uint8_t kCalibrate = 1;
constexpr uint8_t kReadCoefficient = 9;
constexpr uint8_t kReadPressureBlock = 10;
constexpr uint8_t kWritePressureBlock = 11;
constexpr uint8_t kFirstPressureCode = 12;
constexpr uint8_t kLastPressureCode = 15;
// The codes of thermometer inputs 1 to 4; VRX-L1 and the later models differ for 3 and 4.
constexpr std::array<uint8_t, 4> kL1CodeCommands{2, 6, 7, 8};
constexpr std::array<uint8_t, 4> kCodeCommands{2, 6, 16, 17};

// What command 1 reports after a calibration, and what it reports under the fault.
constexpr uint16_t kCalibratedCoefficient = 65400;
constexpr uint16_t kBadCoefficient = 65341;

// The loop ADC gives these codes at full-scale current (5 mA, or 20 mA on a 4-20 mA input).
constexpr double kCodeAt5Ma = 951.0;
constexpr double kCodeAt20Ma = 3806.0;

}  // namespace

CalibrationChannels::CalibrationChannels(const TFamilyRecord& family, const TDeviceRecord& type,
                                         bool supportsPmax)
    : l1_(family.IsL1Family != 0),
      fullScaleOhms_(type.HwRevision == 1 ? 796.84 : 160.27),
      inputType_(type.MinorVersion),
      pressureChannels_(family.ChannelCount - 1) {
  refOhms_.fill(kDefaultRefOhms);
  loopMa_.fill(kDefaultLoopMa);
  // Uncalibrated from the factory: every word all ones.
  block_.assign(static_cast<size_t>(pressureChannels_ * (supportsPmax ? 4 : 2)), 0xFF);
}

std::optional<int> CalibrationChannels::ThermometerChannel(uint8_t command) const {
  const auto& commands = l1_ ? kL1CodeCommands : kCodeCommands;
  for (size_t i = 0; i < commands.size(); ++i) {
    if (commands[i] == command) {
      return static_cast<int>(i) + 1;
    }
  }
  return std::nullopt;
}

bool CalibrationChannels::Handles(uint8_t command) const {
  if (command == 6 || command == 8 || command == 13) {
    return adcMode_;
  }
  return command == kCalibrate || command == kReadCoefficient || command == kReadPressureBlock ||
         command == kWritePressureBlock || ThermometerChannel(command).has_value() ||
         (command >= kFirstPressureCode && command <= kLastPressureCode);
}

bool CalibrationChannels::Echoes(uint8_t command) const {
  return !(l1_ && Handles(command));
}

std::vector<uint8_t> CalibrationChannels::Answer(uint8_t command) {
  switch (command) {
    case kCalibrate:
      coefficient_ =
          Fire(CalibrationFault::CoefficientOutOfRange) ? kBadCoefficient : kCalibratedCoefficient;
      return Word(coefficient_);
    case kReadCoefficient:
      adcMode_ = true;
      return Word(coefficient_);
    case kReadPressureBlock: {
      adcMode_ = true;
      std::vector<uint8_t> block = block_;
      if (Fire(CalibrationFault::BlockReadsDiffer)) {
        block.back() ^= 0x01;
      }
      return block;
    }
    case kWritePressureBlock:
      return {};
    default:
      break;
  }
  if (command >= kFirstPressureCode && command <= kLastPressureCode) {
    return Word(PressureCode(command - kWritePressureBlock));
  }
  return Word(ThermometerCode(ThermometerChannel(command).value_or(1)));
}

size_t CalibrationChannels::DataLength(uint8_t command) const {
  return command == kWritePressureBlock ? block_.size() : 0;
}

void CalibrationChannels::DataTaken(uint8_t command, const std::vector<uint8_t>& data) {
  if (command == kWritePressureBlock) {
    block_ = data;
    blockWrites_.push_back(data);
  }
}

void CalibrationChannels::SetRefOhms(int channel, double ohms) {
  refOhms_.at(static_cast<size_t>(channel - 1)) = ohms;
}

void CalibrationChannels::SetLoopMa(int channel, double milliamps) {
  loopMa_.at(static_cast<size_t>(channel - 1)) = milliamps;
}

void CalibrationChannels::SetPressureBlock(std::vector<uint8_t> block) {
  if (block.size() != block_.size()) {
    throw std::invalid_argument("pressure block of another length");
  }
  block_ = std::move(block);
}

// VRX-L1 sends the high byte first, the later models the low byte.
std::vector<uint8_t> CalibrationChannels::Word(uint16_t value) const {
  const auto low = static_cast<uint8_t>(value & 0xFF);
  const auto high = static_cast<uint8_t>(value >> 8);
  return l1_ ? std::vector<uint8_t>{high, low} : std::vector<uint8_t>{low, high};
}

// The instrument's own coefficient makes code × K / 65535² the fraction of full scale.
uint16_t CalibrationChannels::ThermometerCode(int channel) {
  const double ideal =
      refOhms_.at(static_cast<size_t>(channel - 1)) / fullScaleOhms_ * 4294836225.0 / coefficient_;
  return static_cast<uint16_t>(std::clamp(std::lround(ideal) + Noise(), 0L, 65535L));
}

uint16_t CalibrationChannels::PressureCode(int channel) {
  const double ma = loopMa_.at(static_cast<size_t>(channel - 1));
  const double ideal = inputType_ == 2 ? ma / 20.0 * kCodeAt20Ma : ma / 5.0 * kCodeAt5Ma;
  return static_cast<uint16_t>(std::clamp(std::lround(ideal) + Noise(), 0L, 65535L));
}

// A count up or down now and then, as a real converter jitters.
int CalibrationChannels::Noise() {
  static constexpr std::array<int, 4> kPattern{0, 1, 0, -1};
  return kPattern[noiseStep_++ % kPattern.size()];
}

bool CalibrationChannels::Fire(CalibrationFault fault) {
  const bool armed = armed_[static_cast<size_t>(fault)];
  armed_[static_cast<size_t>(fault)] = false;
  return armed;
}

}  // namespace vrx::sim
