#include "image/ThresholdFields.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "model/FlowThreshold.h"
#include "model/NumberHelpers.h"

namespace vrx {

namespace {

constexpr uint8_t kL12CodeBits = 0x9F;  // bits 0-4 and 7
constexpr int kMaxDisplayExponent = 3;
constexpr int kMaxDisplayDigits = 99;

int MeasuringChannelPos(const SettingsImage& image, SettingsField entry, int channel) {
  if (image.OldFormat()) {
    throw std::logic_error("a VRX-L1 has no flow thresholds");
  }
  if (channel < 1 || channel >= image.ChannelCount()) {
    throw std::out_of_range("threshold of channel " + std::to_string(channel));
  }
  const int pos = image.FieldPos(entry);
  if (pos == 0) {
    throw std::logic_error("the model has no settings field " + std::to_string(entry));
  }
  return pos;
}

bool IsL12OrL13(const SettingsImage& image) {
  const ImageModel model = image.Model();
  return model == ImageModel::L12 || model == ImageModel::L13;
}

void RequireL12OrL13(const SettingsImage& image) {
  if (!IsL12OrL13(image)) {
    throw std::logic_error("minimum-flow divisor of a VRX-L12 or VRX-L13 only");
  }
}

}  // namespace

uint8_t ThresholdCode(const SettingsImage& image, int channel) {
  const int pos = MeasuringChannelPos(image, Gmin, channel);
  if (image.Model() == ImageModel::L3) {
    const uint8_t byte = image.Byte(pos + (channel - 1) / 2);
    return channel % 2 == 1 ? (byte & 0x0F) : (byte >> 4);
  }
  const uint8_t byte = image.Byte(pos + channel - 1);
  return IsL12OrL13(image) ? (byte & kL12CodeBits) : byte;
}

void SetThresholdCode(SettingsImage& image, int channel, uint8_t code) {
  const int pos = MeasuringChannelPos(image, Gmin, channel);
  if (image.Model() == ImageModel::L3) {
    const int bytePos = pos + (channel - 1) / 2;
    const uint8_t byte = image.Byte(bytePos);
    const uint8_t nibble = code & 0x0F;
    image.SetByte(bytePos, channel % 2 == 1 ? static_cast<uint8_t>((byte & 0xF0) | nibble)
                                            : static_cast<uint8_t>((byte & 0x0F) | (nibble << 4)));
    return;
  }
  const int bytePos = pos + channel - 1;
  if (IsL12OrL13(image)) {
    image.SetByte(bytePos, static_cast<uint8_t>((image.Byte(bytePos) & ~kL12CodeBits) |
                                                (code & kL12CodeBits)));
    return;
  }
  image.SetByte(bytePos, code);
}

int MinFlowDivisorCode(const SettingsImage& image, int channel) {
  RequireL12OrL13(image);
  return image.GetPair(MeasuringChannelPos(image, Gmin, channel) + channel - 1, 5);
}

void SetMinFlowDivisorCode(SettingsImage& image, int channel, int code) {
  RequireL12OrL13(image);
  image.SetPair(MeasuringChannelPos(image, Gmin, channel) + channel - 1, 5, code);
}

void ClearThresholdFields(SettingsImage& image) {
  if (const int gmin = image.FieldPos(Gmin); gmin != 0) {
    image.ClearBytes(gmin, 2);
  }
  if (const int exponents = image.FieldPos(GminExponents); exponents != 0) {
    image.ClearBytes(exponents, 1);
  }
}

ThresholdDisplay ThresholdDisplayOf(double threshold, const QLocale& locale) {
  // The value as the grid shows it, with its two (three from 100 on) significant digits.
  bool ok = false;
  const double shown = locale.toDouble(FormatFlow(threshold, locale), &ok);
  if (!ok || !(shown > 0)) {
    return {0, 0};
  }
  if (shown >= kMaxDisplayDigits) {
    return {kMaxDisplayDigits, 0};
  }
  // The finest exponent that still holds the value in two digits; below 0.01 the thousandths.
  for (int exponent = kMaxDisplayExponent; exponent > 0; --exponent) {
    const int digits = static_cast<int>(std::nearbyint(shown * std::pow(10.0, exponent)));
    if (digits <= kMaxDisplayDigits) {
      return {digits, exponent};
    }
  }
  return {static_cast<int>(std::nearbyint(shown)), 0};
}

double ThresholdDisplayValue(ThresholdDisplay display) {
  return display.digits / std::pow(10.0, display.exponent);
}

bool HasThresholdDisplay(const SettingsImage& image) {
  return image.FieldPos(GminDigits) != 0 && image.FieldPos(GminExponents) != 0;
}

ThresholdDisplay ThresholdDisplayAt(const SettingsImage& image, int channel) {
  const int digitsPos = MeasuringChannelPos(image, GminDigits, channel) + channel - 1;
  const int exponentsPos = MeasuringChannelPos(image, GminExponents, channel);
  return {BcdToByte(image.Byte(digitsPos)), image.GetPair(exponentsPos, 2 * (channel - 1))};
}

void SetThresholdDisplay(SettingsImage& image, int channel, ThresholdDisplay display) {
  const int digitsPos = MeasuringChannelPos(image, GminDigits, channel) + channel - 1;
  const int exponentsPos = MeasuringChannelPos(image, GminExponents, channel);
  image.SetByte(digitsPos, ByteToBcd(std::clamp(display.digits, 0, kMaxDisplayDigits)));
  image.SetPair(exponentsPos, 2 * (channel - 1),
                std::clamp(display.exponent, 0, kMaxDisplayExponent));
}

}  // namespace vrx
