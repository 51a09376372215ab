#include "service/ServiceCommands.h"

#include <algorithm>
#include <array>

#include "image/SettingsImage.h"
#include "model/Errors.h"

namespace vrx {

namespace {

// The same command leaves initialization mode on a VRX-L1 and reports the supply elsewhere.
constexpr uint8_t kCmdInitExitOrSupply = 3;

const char* const kOnlyL1 = "Только для VRX-L1";
const char* const kOnlyL2L3 = "Только для VRX-L2 и VRX-L3";
const char* const kOnlyL3 = "Только для VRX-L3";
const char* const kInitExitDone = "Выход из режима инициализации произведен успешно";

// Threshold codes: with the Pmax format steps of 0x600 above 0xD100 (0..3); otherwise steps of
// 0x400 either way of 0xD600 (-3..3), or 0xD600 fixed when bit 4 is set.
constexpr uint16_t kPmaxBase = 0xD100;
constexpr uint16_t kPmaxStep = 0x600;
constexpr uint16_t kBase = 0xD600;
constexpr uint16_t kStep = 0x400;
constexpr uint8_t kFixedBaseBit = 0x10;
constexpr uint8_t kSignBit = 0x80;

}  // namespace

namespace lb {

uint16_t ThresholdCode(uint8_t byte, bool supportsPmax) {
  if (supportsPmax) {
    return static_cast<uint16_t>(kPmaxBase + ((byte >> 3) & 3) * kPmaxStep);
  }
  if ((byte & kFixedBaseBit) != 0) {
    return kBase;
  }
  const auto offset = static_cast<uint16_t>(((byte >> 5) & 3) * kStep);
  return static_cast<uint16_t>((byte & kSignBit) != 0 ? kBase - offset : kBase + offset);
}

Step StepOfReading(uint16_t reading, bool supportsPmax) {
  // Rounded to the nearest step; the division truncates toward zero.
  const int r = reading;
  const int step =
      supportsPmax ? (r - kPmaxBase + kPmaxStep / 2) / kPmaxStep : (r - kBase + kStep / 2) / kStep;
  const int lowest = supportsPmax ? 0 : -3;
  const int highest = 3;
  if (step < lowest) {
    return {lowest, QString::fromUtf8(kBelowMinimum)};
  }
  if (step > highest) {
    return {highest, QString::fromUtf8(kAboveMaximum)};
  }
  return {step, QString::fromUtf8(kSet)};
}

uint8_t WithStep(uint8_t byte, int step, bool supportsPmax) {
  if (supportsPmax) {
    return static_cast<uint8_t>((byte & 0xE7) | (step * 8));
  }
  // Bit 4 (the fixed base) is cleared, bits 5-6 take the magnitude and bit 7 the sign.
  const int code = step < 0 ? (-step | 4) : step;
  return static_cast<uint8_t>((byte & 0x0F) | (code * 32));
}

}  // namespace lb

ServiceCommands::ServiceCommands(Connection& connection) : connection_(connection) {}

void ServiceCommands::ExitInitMode(Messages& messages) {
  connection_.link.IdentifyDevice();
  if (!connection_.state.Family->IsL1Family) {
    throw EOwned(kOnlyL1);
  }
  connection_.link.DeviceExchange(kCmdInitExitOrSupply, {}, {}, true, 0);
  messages.ShowInfo(QString::fromUtf8(kInitExitDone));
}

uint16_t ServiceCommands::ReadSupply() {
  std::array<uint8_t, 2> reading{};
  connection_.link.DeviceExchange(kCmdInitExitOrSupply, {}, reading, true, 2);
  return static_cast<uint16_t>(reading[0] | (reading[1] << 8));
}

bool ServiceCommands::SupplyLow() {
  connection_.link.IdentifyDevice();
  const TFamilyRecord& family = *connection_.state.Family;
  if (family.IsL1Family) {
    throw EOwned(kOnlyL2L3);
  }
  if (!family.IsL3Family) {
    uint8_t state = 0;
    connection_.link.DeviceExchange(kCmdInitExitOrSupply, {}, std::span<uint8_t>(&state, 1), true,
                                    1);
    return state != 0;
  }
  const uint16_t reading = ReadSupply();
  connection_.link.ReadSettings();
  const SettingsImage image(connection_.buffer, connection_.state);
  const uint8_t byte = image.Byte(image.FieldPos(SettingsField::Options));
  return reading < lb::ThresholdCode(byte, connection_.state.SupportsPmax);
}

void ServiceCommands::SetLbThreshold(const SettingsWrite& write) {
  connection_.link.IdentifyDevice();
  const TFamilyRecord& family = *connection_.state.Family;
  if (!family.IsL3Family || family.IsL1Family) {
    throw EOwned(kOnlyL3);
  }
  write.messages.ShowInfo(QString::fromUtf8(lb::kSetVoltage));
  connection_.pacer.PumpMessages();
  const bool pmax = connection_.state.SupportsPmax;
  const lb::Step step = lb::StepOfReading(ReadSupply(), pmax);
  connection_.link.ReadSettings();
  SettingsImage image(connection_.buffer, connection_.state);
  const int position = image.FieldPos(SettingsField::Options);
  image.SetByte(position, lb::WithStep(image.Byte(position), step.step, pmax));
  write.WriteAndReport(connection_, QStringLiteral("Порог LB"), step.text);
}

}  // namespace vrx
