#include "service/TicksCorrection.h"

#include <QLocale>
#include <algorithm>
#include <cstdlib>

#include "image/SettingsImage.h"
#include "model/ChannelFlags.h"
#include "model/Errors.h"

namespace vrx {

namespace {

const char* const kWrongType = "Неверно задан тип прибора.";
const char* const kUnsupported = "Прибор не поддерживает коррекцию цены имульса.";
// Families from this code on keep no pulse-value corrections.
constexpr uint8_t kFirstFamilyWithout = 7;

// The corrections of channels 1 to 4 follow one another from the layout's entry 23.
int FirstPosition(const SettingsImage& image) {
  return image.FieldPos(SettingsField::Tp5);
}

}  // namespace

TicksRange TicksRangeOf(const TFamilyRecord& family) {
  if (family.IsL1Family) {
    return {15, 0x0F, 0x10};
  }
  return {23, 0x1F, 0x80};
}

uint8_t EncodeTicksCorrection(const TicksRange& range, int position) {
  if (position >= 0) {
    return static_cast<uint8_t>(position);
  }
  return static_cast<uint8_t>(-position | range.signBit);
}

int DecodeTicksCorrection(const TicksRange& range, uint8_t byte) {
  const int magnitude = byte & range.magnitudeBits;
  return (byte & range.signBit) != 0 ? -magnitude : magnitude;
}

QString TicksCorrectionText(int tenths) {
  const QString sign = tenths > 0 ? QStringLiteral("+") : tenths < 0 ? QStringLiteral("-") : "";
  return sign + QLocale().toString(std::abs(tenths) / 10.0, 'f', 1) + QStringLiteral("%");
}

TicksCorrection::TicksCorrection(Connection& connection) : connection_(connection) {
  text.fill(TicksCorrectionText(0));
}

void TicksCorrection::Prepare() {
  try {
    connection_.link.IdentifyDevice();
  } catch (...) {
    plDeviceType.clear();
    type_ = nullptr;
    throw;
  }
  const ConnectionState& state = connection_.state;
  type_ = state.DeviceType;
  plDeviceType = QString::fromUtf8(type_->Name);
  range_ = TicksRangeOf(*state.Family);
  maximum = range_.maxMagnitude;
  // Channels 3 and 4 have their corrections where the family measures their temperature.
  groupVisible[2] = ChannelHasTemperature(3, state.Family->AllChannelFlags);
  groupVisible[3] = ChannelHasTemperature(4, state.Family->AllChannelFlags);
  buttonsEnabled = !state.TypeByte10;
  for (int i = 0; i < kChannels; ++i) {
    TrackBarChange(i, std::clamp(position[i], -maximum, maximum));
  }
}

void TicksCorrection::RequireSupport() const {
  if (connection_.state.TypeByte10 || connection_.state.Family->Code >= kFirstFamilyWithout) {
    throw EOwned(kUnsupported);
  }
}

void TicksCorrection::FormShow() {
  try {
    Prepare();
  } catch (const EOwned&) {
    // Silent: "Считать" reports what is wrong.
  }
}

void TicksCorrection::bnReadClick() {
  Prepare();
  RequireSupport();
  connection_.link.ReadSettings();
  const SettingsImage image(connection_.buffer, connection_.state);
  const int first = FirstPosition(image);
  for (int i = 0; i < kChannels; ++i) {
    if (!groupVisible[i]) {
      continue;
    }
    const int decoded = DecodeTicksCorrection(range_, image.Byte(first + i));
    // The slider stops at its ends; the text says what the instrument holds.
    position[i] = std::clamp(decoded, -maximum, maximum);
    text[i] = TicksCorrectionText(decoded);
  }
}

void TicksCorrection::bnWriteClick(const SettingsWrite& write) {
  connection_.link.IdentifyDevice();
  if (type_ == nullptr || connection_.state.DeviceType != type_) {
    throw EOwned(kWrongType);
  }
  RequireSupport();
  connection_.link.ReadSettings();
  if (connection_.state.Family->IsL1Family) {
    write.Stamp(connection_);
  }
  SettingsImage image(connection_.buffer, connection_.state);
  const int first = FirstPosition(image);
  for (int i = 0; i < kChannels; ++i) {
    if (groupVisible[i]) {
      image.SetByte(first + i, EncodeTicksCorrection(range_, position[i]));
    }
  }
  write.WriteAndReport(connection_, QStringLiteral("Коррекция цены импульса"),
                       QString::fromUtf8(kDone));
}

void TicksCorrection::TrackBarChange(int index, int newPosition) {
  position.at(static_cast<size_t>(index)) = newPosition;
  for (int i = 0; i < kChannels; ++i) {
    text[i] = TicksCorrectionText(position[i]);
  }
}

void TicksCorrection::bnResetClick() {
  for (int i = 0; i < kChannels; ++i) {
    TrackBarChange(i, 0);
  }
}

}  // namespace vrx
