#include "sim/HeatCalculator.h"

#include "sim/DefaultSettingsImage.h"

namespace vrx::sim {

namespace {

uint8_t DefaultTypeByte(const TDeviceRecord& type) {
  return type.Code < 4 ? type.Code : static_cast<uint8_t>(type.Code + 4);
}

// The family with that code, or none: a played type byte need not name a known family.
const TFamilyRecord* FindFamily(uint8_t code) {
  for (const TFamilyRecord& family : Families()) {
    if (family.Code == code) {
      return &family;
    }
  }
  return nullptr;
}

// Pmax-capable as identification decides it: family code 7 or higher, or the VRX-L3 line with a
// version byte of the form 101xxx11.
bool SupportsPmax(const TFamilyRecord& family, uint8_t version) {
  return family.Code >= 7 || (family.IsL3Family && (version & 0x03) == 0x03 && version >= 0xA0);
}

}  // namespace

HeatCalculator::HeatCalculator(const HeatCalculatorConfig& config)
    : ByteProtocolInstrument(config.baudRate, DefaultSettingsImage(DeviceTypeAt(config.typeIndex))),
      typeIndex_(config.typeIndex),
      typeByte_(config.typeByte.value_or(DefaultTypeByte(DeviceTypeAt(config.typeIndex)))),
      versionByte_(config.versionByte.value_or(DeviceTypeAt(config.typeIndex).VersionCodes[0])),
      subVersionByte_(config.subVersionByte),
      supply_(config.supply),
      currentValues_(config.clock),
      calibration_(FamilyOf(DeviceTypeAt(config.typeIndex)), DeviceTypeAt(config.typeIndex),
                   SupportsPmax(FamilyOf(DeviceTypeAt(config.typeIndex)), versionByte_)) {}

int HeatCalculator::TypeIndexByName(std::string_view name) {
  const auto types = DeviceTypes();
  for (size_t i = 0; i < types.size(); ++i) {
    if (name == types[i].Name) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

int HeatCalculator::InitModeExits() const {
  std::scoped_lock lock(mutex_);
  return initModeExits_;
}

void HeatCalculator::WithCalibration(const std::function<void(CalibrationChannels&)>& use) {
  std::scoped_lock lock(mutex_);
  use(calibration_);
}

size_t HeatCalculator::DataLength(uint8_t command) const {
  return calibration_.DataLength(command);
}

void HeatCalculator::DataTaken(uint8_t command, const std::vector<uint8_t>& data) {
  calibration_.DataTaken(command, data);
}

bool HeatCalculator::EchoesCommand(uint8_t command) const {
  return calibration_.Echoes(command);
}

std::vector<uint8_t> HeatCalculator::AnswerCommand(uint8_t command) {
  if (calibration_.Handles(command)) {
    return calibration_.Answer(command);
  }
  switch (command) {
    case kIdentify:
      calibration_.CloseAdcMode();
      return Identification();
    case kLeaveInitMode:
      return CommandThree();
    case kClockBlock:
      return currentValues_.ClockReply(DeviceTypeAt(typeIndex_), typeByte_, HeldImage(),
                                       [this](Fault f) { return Active(f); });
    case kCurrentBlock:
      return currentValues_.CurrentReply(DeviceTypeAt(typeIndex_), typeByte_, versionByte_,
                                         HeldImage(), [this](Fault f) { return Active(f); });
    default:
      return {};
  }
}

void HeatCalculator::SetSupply(uint16_t reading) {
  std::scoped_lock lock(mutex_);
  supply_ = reading;
}

std::vector<uint8_t> HeatCalculator::CommandThree() {
  // The model decides what the command means, not the played type byte.
  const TFamilyRecord& family = FamilyOf(DeviceTypeAt(typeIndex_));
  if (family.IsL1Family) {
    ++initModeExits_;
    return {};
  }
  const auto low = static_cast<uint8_t>(supply_ & 0xFF);
  if (family.IsL3Family) {
    return {low, static_cast<uint8_t>(supply_ >> 8)};
  }
  return {low};
}

void HeatCalculator::WithCurrentValues(const std::function<void(CurrentValues&)>& change) {
  std::scoped_lock lock(mutex_);
  change(currentValues_);
}

std::vector<uint8_t> HeatCalculator::ForwardedBlock(uint8_t function) {
  // The module's request is not an exchange of the byte protocol: no fault of one applies.
  const auto none = [](Fault) { return false; };
  const TDeviceRecord& type = DeviceTypeAt(typeIndex_);
  switch (function) {
    case 0x50:
      return currentValues_.ClockReply(type, typeByte_, HeldImage(), none);
    case 0x51:
      return currentValues_.CurrentReply(type, typeByte_, versionByte_, HeldImage(), none);
    default:
      return {};
  }
}

void HeatCalculator::BlockTaken() {
  currentValues_.SettingsWritten();
}

std::vector<uint8_t> HeatCalculator::Identification() const {
  std::vector<uint8_t> bytes{typeByte_};
  // The instrument says as much as the reader of its type byte expects: 10 stands for 9, and
  // 4..7 are aliases of the VRX-L1 codes 0..3.
  uint8_t code = typeByte_ == 10 ? 9 : typeByte_;
  if (code >= 4) {
    code -= 4;
  }
  const TFamilyRecord* family = FindFamily(code);
  if (code < 4 || (family != nullptr && family->IsL1Family)) {
    return bytes;  // a VRX-L1 has no version byte
  }
  bytes.push_back(versionByte_);
  const bool l3Line = family != nullptr && family->IsL3Family;
  if (code >= 7 || (l3Line && (versionByte_ & 0xE3) == 0xA3)) {
    bytes.push_back(subVersionByte_);
  }
  return bytes;
}

}  // namespace vrx::sim
