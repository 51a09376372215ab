#include "model/FlowThreshold.h"

#include <algorithm>
#include <cmath>

namespace vrx {

namespace {

constexpr double kLitresPerPulse[4][4] = {
    {0, 1, 5, 10},
    {0, 10, 50, 100},
    {0, 100, 500, 1000},
    {0, 0, 0, 0},
};

// Divisor of the VRX-L3 line by pulse-value code.
constexpr int kL3Divisors[4] = {16, 16, 64, 128};

constexpr double kMinThreshold = 0.0008;
constexpr double kMaxThreshold = 450;
constexpr double kSecondsPerHourOverLitres = 3.6;  // l/s to m3/h

bool IsL12OrL13(const TDeviceRecord& type) {
  return type.Code == 7 || type.Code == 8;
}

int L3Divisor(int code) {
  return code >= 0 && code < 4 ? kL3Divisors[code] : kL3Divisors[0];
}

// How one type stores a pulse count: count / divisor gives the code before the offset.
struct CodeRange {
  int divisor;
  int low;
  int high;
  int offset;
};

CodeRange RangeOf(const TDeviceRecord& type, uint8_t subVersion, int code) {
  if (IsL12OrL13(type)) {
    return {1, subVersion <= 20 ? 8 : 6, 249, 0};
  }
  if (type.IsL5) {
    return code == 1 ? CodeRange{1, 7, 254, 1} : CodeRange{4, 1, 253, 1};
  }
  if (type.IsL3Type) {
    return {L3Divisor(code), 1, 15, 0};
  }
  return {16, 1, 255, 0};
}

}  // namespace

double LitresPerPulse(int group, int code) {
  if (group < 0 || group > 3 || code < 0 || code > 3) {
    return 0;
  }
  return kLitresPerPulse[group][code];
}

uint8_t EncodeFlowThreshold(const TDeviceRecord& type, uint8_t subVersion, int group, int code,
                            double value) {
  const CodeRange range = RangeOf(type, subVersion, code);
  const double x = value >= kMinThreshold ? std::min(value, kMaxThreshold) : kMinThreshold;
  const double v = LitresPerPulse(group, code) * kSecondsPerHourOverLitres / (range.divisor * x);
  // Rounded up, except that a fraction of at most 1e-7 is dropped (rounding noise of a value
  // that was itself decoded from a code).
  double n = std::nearbyint(v + 0.5 - 0.0000001) - range.offset;
  n = std::clamp(n, static_cast<double>(range.low), static_cast<double>(range.high));
  const int count = static_cast<int>(n);
  if (IsL12OrL13(type)) {
    // Up to 36 the count is kept exactly; above it in steps of eight.
    return static_cast<uint8_t>(count > 36 ? 0x80 | ((count + 6) / 8 - 4) : count - 5);
  }
  return static_cast<uint8_t>(count);
}

double DecodeFlowThreshold(const TDeviceRecord& type, int group, int code, uint8_t stored) {
  int count;
  int divisor;
  if (IsL12OrL13(type)) {
    divisor = 1;
    count = (stored & 0x80) != 0 ? ((stored & 0x1F) + 4) * 8 + 1 : (stored & 0x1F) + 5;
  } else if (type.IsL5) {
    count = stored + 1;
    divisor = code == 1 ? 1 : 4;
  } else if (type.IsL3Type) {
    count = stored;
    divisor = L3Divisor(code);
  } else {
    count = stored;
    divisor = 16;
  }
  if (count == 0) {
    return 0;
  }
  return LitresPerPulse(group, code) * kSecondsPerHourOverLitres / (divisor * count);
}

QString FormatFlow(double value, const QLocale& locale) {
  QString text = locale.toString(value, 'g', value >= 100 ? 3 : 2);
  const auto first = std::find_if(text.cbegin(), text.cend(), [](QChar c) {
    return c >= QLatin1Char('1') && c <= QLatin1Char('9');
  });
  if (first != text.cend() && first + 1 == text.cend()) {
    const QString separator = locale.decimalPoint();
    if (!text.contains(separator)) {
      text += separator;
    }
    text += QLatin1Char('0');
  }
  return text;
}

}  // namespace vrx
