#include "model/CodeTexts.h"

#include <array>

namespace vrx {

namespace {

constexpr std::array<const char*, 4> kL1Normal = {"0,001", "0,01", "0,1", kInvalidValueText};
constexpr std::array<const char*, 4> kL1Coarse = {"0,01", "0,1", "1", kInvalidValueText};

// Group x 4 + code.
constexpr std::array<const char*, 16> kPulseValues = {
    kInvalidValueText,
    "0,001",
    "0,005",
    "0,01",
    kInvalidValueText,
    "0,01",
    "0,05",
    "0,1",
    kInvalidValueText,
    "0,1",
    "0,5",
    "1",
    kInvalidValueText,
    kInvalidValueText,
    kInvalidValueText,
    kInvalidValueText,
};

constexpr std::array<const char*, 4> kDiameterGroups = {"15...40", "50...100", "125...300",
                                                        kInvalidValueText};
constexpr std::array<const char*, 2> kTemperatureSources = {"Измеряемая", "Договорная"};
constexpr std::array<const char*, 2> kYesNo = {"Есть", "Нет"};
constexpr std::array<const char*, 2> kSensorCoefficients = {"1,391", "1,385"};

constexpr const char* kUnit = " м3/имп";

template <size_t N>
QString Entry(const std::array<const char*, N>& table, int index, const char* fallback) {
  if (index < 0 || static_cast<size_t>(index) >= N) {
    return QString::fromUtf8(fallback);
  }
  return QString::fromUtf8(table[index]);
}

QString WithUnit(const QString& value) {
  const QString invalid = QString::fromUtf8(kInvalidValueText);
  return value == invalid ? value : value + QString::fromUtf8(kUnit);
}

int PulseIndex(int group, int code) {
  if (group < 0 || group > 3 || code < 0 || code > 3) {
    return -1;
  }
  return group * 4 + code;
}

}  // namespace

QString L1PulseValueText(int scaleCode, bool coarse) {
  return Entry(coarse ? kL1Coarse : kL1Normal, scaleCode, kInvalidValueText);
}

QString L1PulseValueUnitText(int scaleCode, bool coarse) {
  return WithUnit(L1PulseValueText(scaleCode, coarse));
}

QString PulseValueText(int group, int code) {
  return Entry(kPulseValues, PulseIndex(group, code), kInvalidValueText);
}

QString PulseValueUnitText(int group, int code) {
  return WithUnit(PulseValueText(group, code));
}

QString DiameterGroupText(int group) {
  return Entry(kDiameterGroups, group, kInvalidValueText);
}

QString TemperatureSourceText(int index) {
  return Entry(kTemperatureSources, index, "");
}

QString YesNoText(int index) {
  return Entry(kYesNo, index, "");
}

QString SensorCoefficientText(uint8_t familyCode) {
  return Entry(kSensorCoefficients, (familyCode >> 1) & 1, "");
}

}  // namespace vrx
