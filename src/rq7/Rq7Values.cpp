#include "rq7/Rq7Values.h"

#include <algorithm>

#include "model/Errors.h"
#include "model/NumberHelpers.h"
#include "rq7/Rq7Form.h"

namespace vrx {

namespace {

const char* const kNotRq7 = "Подключенный прибор не RQ-7";
const char* const kNoErrors = "Нет ошибок";

constexpr int kTypeOffset = 10;
constexpr uint8_t kUnitType = 0xF1;
constexpr int kFlowDecimalsOffset = 6;
constexpr int kFlowDigits = 8;
constexpr int kVolumeDigits = 11;
constexpr int kVolumeWholeDigits = 6;
constexpr int kAddressOffset = 43;
constexpr int kNumberOffset = 44;
constexpr int kPulseOffset = 46;
constexpr int kErrorsOffset = 75;

struct TimeField {
  const char* name;
  int offset;  // minutes byte, then 3 bytes of hours
};
constexpr TimeField kTimes[] = {
    {"stWTime", 7}, {"stRQtp1", 11}, {"stRQtp2", 15}, {"stRQer1", 19}, {"stRQer2", 23}};

// Error bits in display order: byte, bit, text.
struct ErrorBit {
  int byte;
  int bit;
  const char* text;
};
constexpr ErrorBit kErrors[] = {
    {0, 0, "Линия 1"},   {0, 1, "Вход 1"},    {0, 2, "v1 < vmin"}, {0, 3, "v1 > vmax"},
    {0, 4, "Вход 3"},    {0, 5, "LB"},        {1, 0, "Линия 2"},   {1, 1, "Вход 2"},
    {1, 2, "v2 < vmin"}, {1, 3, "v2 > vmax"}, {1, 4, "Будильник"},
};

QString Two(const uint8_t* p) {
  return BcdToStr(p, 2);
}

// dd.mm.yy hh:nn from minute, hour, day, month, year.
QString ClockText(const uint8_t* p) {
  return Two(p + 2) + '.' + Two(p + 3) + '.' + Two(p + 4) + ' ' + Two(p + 1) + ':' + Two(p);
}

QString VolumeText(const uint8_t* p) {
  QString digits = BcdToStr(p, kVolumeDigits);
  digits.insert(kVolumeWholeDigits, QLatin1Char(','));
  return StripLeadingZeros(digits);
}

}  // namespace

const QStringList& Rq7ValueFields() {
  static const QStringList fields = {
      "stRQRTC", "stIniRQRTC", "stRQgt1",    "stRQgt2", "stWTime", "stRQtp1",
      "stRQtp2", "stRQer1",    "stRQer2",    "stRQG1",  "stRQG2",  "stAl1",
      "stAl2",   "stRQAddr",   "stRQNumber", "stDuRQ1", "stDuRQ2", "stRQErrors1"};
  return fields;
}

void ShowRq7Clock(const uint8_t* block, Rq7ValuesDisplay& display) {
  if (block[kTypeOffset] != kUnitType)
    throw EOwned(kNotRq7);
  const QString clock = ClockText(block);
  const QString lastInit = ClockText(block + 5);
  display[QStringLiteral("stRQRTC")] = clock;
  display[QStringLiteral("stIniRQRTC")] = lastInit;
}

QString Rq7FlowText(uint32_t value, int decimals) {
  // A digit stays before the comma however many decimals the unit reports.
  QString text =
      QString::number(value).rightJustified(std::max(kFlowDigits, decimals + 1), QLatin1Char('0'));
  text.insert(text.size() - decimals, QLatin1Char(','));
  return StripLeadingZeros(text);
}

void ShowRq7Values(const uint8_t* b, Rq7ValuesDisplay& display) {
  // Every text is worked out before any is shown: a bad digit shows none of them.
  Rq7ValuesDisplay d;
  for (int ch = 0; ch < 2; ++ch) {
    const uint8_t* flow = b + 3 * ch;
    const uint32_t value = flow[0] | (flow[1] << 8) | (flow[2] << 16);
    const int decimals = (b[kFlowDecimalsOffset] >> (4 * ch)) & 0x0F;
    d[QStringLiteral("stRQgt%1").arg(ch + 1)] = Rq7FlowText(value, decimals);
    d[QStringLiteral("stRQG%1").arg(ch + 1)] = VolumeText(b + 27 + 6 * ch);
    const int pulse = b[kPulseOffset + ch];
    d[QStringLiteral("stDuRQ%1").arg(ch + 1)] =
        pulse < PulseValueItems().size() ? PulseValueItems()[pulse] : QString();
  }
  for (const TimeField& t : kTimes)
    d[QString::fromLatin1(t.name)] = BcdToStr(b + t.offset + 1, 6) + ':' + Two(b + t.offset);
  d[QStringLiteral("stAl1")] = Two(b + 40) + ':' + Two(b + 39);
  d[QStringLiteral("stAl2")] = Two(b + 42) + ':' + Two(b + 41);
  d[QStringLiteral("stRQAddr")] = QString::number(b[kAddressOffset]);
  d[QStringLiteral("stRQNumber")] =
      IntToZeroPadded(b[kNumberOffset] | (b[kNumberOffset + 1] << 8), 5);
  QString errors;
  for (const ErrorBit& e : kErrors) {
    if ((b[kErrorsOffset + e.byte] >> e.bit) & 1)
      errors += QString::fromUtf8(e.text) + QStringLiteral("\r\n");
  }
  d[QStringLiteral("stRQErrors1")] = errors.isEmpty() ? QString::fromUtf8(kNoErrors) : errors;
  display.insert(d);
}

QJsonObject Rq7ValuesToJson(const Rq7ValuesDisplay& display) {
  QJsonObject json;
  for (const QString& field : Rq7ValueFields()) {
    if (display.contains(field))
      json.insert(field, display.value(field));
  }
  return json;
}

}  // namespace vrx
