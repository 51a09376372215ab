#include "service/RtcAutocorrection.h"

#include <algorithm>

#include "image/SettingsImage.h"
#include "model/Errors.h"
#include "model/NumberHelpers.h"

namespace vrx {

namespace {

const char* const kWrongType = "Неверно задан тип прибора.";

}  // namespace

RtcRange RtcRangeOf(const ConnectionState& state) {
  if (!state.Family->IsL1Family) {
    return {QStringLiteral("VRX-L2, VRX-L3"),
            QStringLiteral("-21"),
            QStringLiteral("+19"),
            20,
            1,
            0x40,
            194};
  }
  if (state.LowTypeCode) {
    return {QStringLiteral("VRX-L1"), QStringLiteral("-9"), QStringLiteral("+9"), 9, 0, 0x10, 185};
  }
  return {QStringLiteral("VRX-L1"), QStringLiteral("-25"), QStringLiteral("+25"), 25, 0, 0x40, 185};
}

uint8_t EncodeRtcCorrection(const RtcRange& range, int position) {
  const int value = position + range.offset;
  if (position >= 0) {
    return ByteToBcd(value);
  }
  // Position -1 of a shifted range is a value of 0 with the sign bit alone.
  return static_cast<uint8_t>(ByteToBcd(-value) | range.signBit);
}

std::optional<int> DecodeRtcCorrection(const RtcRange& range, uint8_t byte) {
  const int magnitude = BcdToByte(static_cast<uint8_t>(byte & (range.signBit - 1)));
  if ((byte & 0x0F) > 9 || magnitude > range.maxMagnitude) {
    return std::nullopt;
  }
  return ((byte & range.signBit) != 0 ? -magnitude : magnitude) - range.offset;
}

RtcAutocorrection::RtcAutocorrection(Connection& connection) : connection_(connection) {}

void RtcAutocorrection::Prepare() {
  try {
    connection_.link.IdentifyDevice();
  } catch (...) {
    stDeviceType.clear();
    throw;
  }
  range_ = RtcRangeOf(connection_.state);
  l1Family_ = connection_.state.Family->IsL1Family != 0;
  stDeviceType = range_.panel;
  Label2 = range_.leftLabel;
  Label3 = range_.rightLabel;
  zeroLabelX = range_.zeroLabelX;
  minimum = range_.Minimum();
  maximum = range_.Maximum();
  TrackBar1Change(std::clamp(position, minimum, maximum));
}

void RtcAutocorrection::FormShow() {
  try {
    Prepare();
  } catch (const EOwned&) {
    // The engineer may open the dialog before connecting; "Считать" reports what is wrong.
  }
}

void RtcAutocorrection::bnReadClick() {
  Prepare();
  connection_.link.ReadSettings();
  const SettingsImage image(connection_.buffer, connection_.state);
  const uint8_t byte = image.Byte(image.FieldPos(SettingsField::RtcCorrection));
  if (const std::optional<int> decoded = DecodeRtcCorrection(range_, byte)) {
    TrackBar1Change(*decoded);
    return;
  }
  TrackBar1Change(0);
  // A nibble above 9 fails here with "Bad digit", as the instrument's byte cannot be shown.
  l1 = BcdToStr(&byte, 2) + QStringLiteral("h");
}

void RtcAutocorrection::bnWriteClick(const SettingsWrite& write) {
  connection_.link.IdentifyDevice();
  if (stDeviceType.isEmpty() || (connection_.state.Family->IsL1Family != 0) != l1Family_) {
    throw EOwned(kWrongType);
  }
  connection_.link.ReadSettings();
  if (l1Family_) {
    write.Stamp(connection_);
  }
  SettingsImage image(connection_.buffer, connection_.state);
  image.SetByte(image.FieldPos(SettingsField::RtcCorrection),
                EncodeRtcCorrection(range_, position));
  write.WriteAndReport(connection_, QStringLiteral("Коррекция RTC"), QString::fromUtf8(kDone));
}

void RtcAutocorrection::TrackBar1Change(int newPosition) {
  position = newPosition;
  l1 = QString::number(position) + QStringLiteral(" сек/сутки");
}

}  // namespace vrx
