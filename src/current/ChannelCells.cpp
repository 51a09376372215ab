#include "current/ChannelCells.h"

#include <QLocale>
#include <cmath>
#include <span>

#include "model/ChannelFlags.h"
#include "model/CodeTexts.h"
#include "model/NumberHelpers.h"
#include "model/TemperatureCode.h"

namespace vrx {

namespace {

const QString kNoValue = QStringLiteral("----");
const char* const kAdcError = "ошибка АЦП";
const char* const kPmaxTexts[] = {"16", "10", "6", "25"};
const char kRangeDigits[] = "0123456789ABCDEF";

constexpr int kEnergyDigits = 14;
constexpr int kVolumeDigits = 11;
constexpr int kTimeDigits = 7;
constexpr int kPowerWidth = 7;
constexpr int kFlowWidth = 8;
constexpr uint32_t kPowerValueBits = 0x7FFFFF;
constexpr uint32_t kPowerCommaBit = 0x800000;

QString Name(const char* prefix, int channel, const char* suffix = "") {
  return QString::fromLatin1(prefix) + QString::number(channel) + QString::fromLatin1(suffix);
}

QString Fixed(double value, int decimals) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value, 'f', decimals);
}

// Inserts the mark before the 1-based character `before`.
QString WithComma(QString digits, int before, QChar mark = u',') {
  digits.insert(before - 1, mark);
  return digits;
}

// The code bytes the scale of a channel is taken from: the one byte of a VRX-L1, one byte per
// channel elsewhere.
std::span<const uint8_t> ScaleRun(const CurrentContext& c, uint8_t (&bytes)[kMaxChannels]) {
  const int count = c.L1() ? 1 : c.family.ChannelCount;
  for (int i = 0; i < count; ++i)
    bytes[i] = c.CodeByte(i + 1);
  return {bytes, static_cast<size_t>(count)};
}

int Scale(const CurrentContext& c, int channel) {
  uint8_t bytes[kMaxChannels] = {};
  return ChannelScale(ScaleRun(c, bytes), c.L1(), channel);
}

bool HasFlowValue(const CurrentContext& c, int k) {
  return FlowPresent(c, k) && ChannelHasFlow(k, c.SchemeMask());
}

void PulseValueCells(const CurrentContext& c, CurrentDisplay& d, int k) {
  const QString ticks = Name("stTicks", k);
  const QString du = Name("stDu", k);
  d.SetVisible(ticks, ChannelHasFlow(k, c.FamilyMask()));
  d.SetVisible(du, d[ticks].visible && !c.L1());
  d.SetText(ticks, kNoValue);
  d.SetText(du, kNoValue);
  if (!HasFlowValue(c, k))
    return;
  if (c.L1()) {
    const bool coarse = (c.SchemeMask() & kFlagFixedLastChannel) == 0 &&
                        k == c.family.ChannelCount && c.block.Field(ColdWaterPressure) & 0x10;
    d.SetText(ticks, L1PulseValueText((c.CodeByte(k) >> (2 * (k - 1))) & 3, coarse));
    return;
  }
  const int range = (c.CodeByte(k) >> 2) & 3;
  d.SetText(ticks, PulseValueText(range, c.CodeByte(k) & 3));
  d.SetText(du, DiameterGroupText(range));
}

// Heat meter j (0 or 1): `stQ1`/`stW1` or `stQ3`/`stW3`.
void HeatMeterCells(const CurrentContext& c, CurrentDisplay& d, int j) {
  const uint32_t bit = j == 0 ? kFlagFirstCircuit : kFlagSecondCircuit;
  const QString q = Name("stQ", 1 + 2 * j);
  const QString w = Name("stW", 1 + 2 * j);
  d.SetVisible(q, (c.FamilyMask() & bit) != 0);
  d.SetVisible(w, d[q].visible && !c.L1());
  d.SetText(q, kNoValue);
  d.SetText(w, kNoValue);
  if ((c.SchemeMask() & bit) == 0)
    return;
  uint8_t bytes[kMaxChannels] = {};
  const int channels = j == 0 ? c.scheme.Circuit1Channels : c.scheme.Circuit2Channels;
  const CircuitScaleResult scale = CircuitScale(ScaleRun(c, bytes), c.L1(), channels);

  QString energy =
      WithComma(c.block.Bcd(c.block.Position(HeatEnergy) + 7 * j, kEnergyDigits), scale.scale + 7);
  // Two channels of different scales: the finer digit is not significant.
  if (scale.scalesDiffer)
    energy.chop(1);
  else
    energy.remove(0, 1);
  d.SetText(q, StripLeadingZeros(energy));
  if (c.L1())
    return;
  const uint32_t power = c.block.Value24(c.block.Position(ThermalPower) + 3 * j);
  const int comma = scale.scale + ((power & kPowerCommaBit) != 0 ? 2 : 0);
  d.SetText(
      w, StripLeadingZeros(WithComma(
             IntToZeroPadded(static_cast<int>(power & kPowerValueBits), kPowerWidth), comma + 2)));
}

void VolumeCell(const CurrentContext& c, CurrentDisplay& d, int k) {
  const QString g = Name("stG", k);
  d.SetVisible(g, ChannelHasFlow(k, c.FamilyMask()));
  d.SetText(g, kNoValue);
  if (!HasFlowValue(c, k))
    return;
  const QString digits = c.block.Bcd(c.block.Position(Volume) + 6 * (k - 1), kVolumeDigits);
  d.SetText(g, StripLeadingZeros(WithComma(digits, Scale(c, k) + 6)));
}

void FlowRateCell(const CurrentContext& c, CurrentDisplay& d, int k) {
  const QString gt = Name("stgt", k);
  d.SetVisible(gt, !c.L1() && ChannelHasFlow(k, c.FamilyMask()) &&
                       (k < c.family.ChannelCount || c.supportsPmax));
  d.SetText(gt, kNoValue);
  if (c.L1() || !ChannelHasFlow(k, c.SchemeMask()))
    return;
  int64_t rate = 0;
  if (c.supportsPmax) {
    // A 12-bit mantissa and a 4-bit shift.
    const uint16_t w = c.block.WordLE(c.block.Position(FlowRate) + 2 * (k - 1));
    rate = static_cast<int64_t>(w & 0xFFF) << (w >> 12);
  } else {
    rate = c.block.Value24(c.block.Position(FlowRate) + 3 * (k - 1));
  }
  d.SetText(gt, StripLeadingZeros(WithComma(IntToZeroPadded(static_cast<int>(rate), kFlowWidth),
                                            Scale(c, k) + 5)));
}

// The channel's own operating-time counter in a flag word; the last channel counts one on the
// type-10 instrument and on the newer families whatever the word says.
bool HasTimer(const CurrentContext& c, int k, uint32_t mask) {
  return ChannelHasTimer(k, mask, false) ||
         ((c.typeByte10 || c.family.Code > 6) && k == c.family.ChannelCount);
}

void OperatingTimeCell(const CurrentContext& c, CurrentDisplay& d, int k) {
  const QString tp = Name("sttp", k);
  d.SetVisible(tp, HasTimer(c, k, c.FamilyMask()));
  d.SetText(tp, kNoValue);
  const CurrentField field = static_cast<CurrentField>(OperatingTime1 + k - 1);
  // A family without the channel's counter in its block shows no value.
  if (!HasTimer(c, k, c.SchemeMask()) || !FlowPresent(c, k) || !c.block.Has(field))
    return;
  // Five digits of hours and two of minutes.
  d.SetText(
      tp, StripLeadingZeros(WithComma(c.block.Bcd(c.block.Position(field), kTimeDigits), 6, u':')));
}

void TemperatureCells(const CurrentContext& c, CurrentDisplay& d, int k) {
  const QString t = Name("stT", k);
  const QString p = Name("stP", k);
  const QString pmax = Name("stP", k, "max");
  d.SetVisible(t, ChannelHasTemperature(k, c.FamilyMask()));
  d.SetVisible(p, d[t].visible);
  d.SetVisible(pmax, d[t].visible && c.type.Code >= 7 && c.type.MinorVersion != 0);
  const uint16_t word = c.block.WordLE(c.block.Position(TemperatureWords) + 2 * (k - 1));
  d.SetText(pmax, QString::fromLatin1(kPmaxTexts[word >> 14]));
  d.SetText(t, kNoValue);
  d.SetText(p, kNoValue);
  if (!TemperaturePresent(c, k))
    return;
  const uint8_t pressure = c.block.Field(PressureBytes, k - 1);
  if (c.L1()) {
    const double degrees = CodeToTemperature(TemperatureTableIndex(c.family.Code), word);
    d.SetText(t, degrees < 0 ? QString::fromUtf8(kAdcError) : Fixed(degrees, 4));
    d.SetText(p, QString::number(pressure));
    return;
  }
  d.SetText(t, Fixed(std::floor((word & 0x3FFF) / 4.0) / 20.0, 2));
  QString pressureText = Fixed(pressure / 10.0, 1);
  if (c.supportsPmax) {
    const uint8_t nibbles = c.block.Field(PressureRangeNibbles, (k - 1) / 2);
    pressureText += QLatin1Char(kRangeDigits[k % 2 == 1 ? (nibbles & 0xF) : (nibbles >> 4)]);
  }
  d.SetText(p, pressureText);
}

}  // namespace

bool FlowPresent(const CurrentContext& c, int k) {
  if (IsOptionalChannel(k, c.SchemeMask(), c.family.ChannelCount))
    return OptionalChannelOn(c.L1(), c.Flags(), c.L1() ? 0 : c.CodeByte(k));
  return ChannelUsed(k, c.SchemeMask());
}

bool TemperaturePresent(const CurrentContext& c, int k) {
  const uint32_t mask = c.SchemeMask();
  if (!ChannelHasTemperature(k, mask))
    return false;
  const bool suppressed = (c.Flags() & 0x40) != 0;
  if (mask & kFlagMassVolumeChoice)
    return !suppressed;
  if (!c.L1() || (mask & kFlagFixedLastChannel) || k != c.family.ChannelCount)
    return true;
  return OptionalChannelOn(true, c.Flags(), 0) && !suppressed;
}

QStringList WidestChannelTexts(const QString& rowLabel) {
  const QString comma = QLocale().decimalPoint();
  // A digit stands for any: the digits of a font are equally wide.
  const auto digits = [](int count) { return QString(count, u'0'); };
  if (rowLabel == QLatin1String("lbQ"))
    return {digits(kEnergyDigits - 1) + comma};
  if (rowLabel == QLatin1String("lbW"))
    return {digits(kPowerWidth) + comma};
  if (rowLabel == QLatin1String("lbG"))
    return {digits(kVolumeDigits) + comma};
  if (rowLabel == QLatin1String("lbgt"))
    return {digits(kFlowWidth) + comma};
  if (rowLabel == QLatin1String("lbtp"))
    return {digits(kTimeDigits) + u':'};
  if (rowLabel == QLatin1String("lbP"))
    return {digits(3), digits(3) + comma + u'F'};
  if (rowLabel == QLatin1String("lbT"))
    return {QString::fromUtf8(kAdcError), u'-' + digits(3) + comma + digits(4)};
  QStringList texts;
  if (rowLabel == QLatin1String("lbDu")) {
    for (int group = 0; group < 4; ++group)
      texts << DiameterGroupText(group);
  } else if (rowLabel == QLatin1String("lbTicks")) {
    for (int scale = 0; scale < 4; ++scale) {
      texts << L1PulseValueText(scale, false) << L1PulseValueText(scale, true);
      for (int code = 0; code < 4; ++code)
        texts << PulseValueText(scale, code);
    }
  } else if (rowLabel == QLatin1String("lbPmax")) {
    for (const char* pmax : kPmaxTexts)
      texts << QString::fromLatin1(pmax);
  }
  return texts;
}

void FillChannelCells(const CurrentContext& context, CurrentDisplay& display) {
  for (int k = 1; k <= kMaxChannels; ++k) {
    PulseValueCells(context, display, k);
    VolumeCell(context, display, k);
    FlowRateCell(context, display, k);
    OperatingTimeCell(context, display, k);
    if (k <= 4)
      TemperatureCells(context, display, k);
  }
  HeatMeterCells(context, display, 0);
  HeatMeterCells(context, display, 1);
}

}  // namespace vrx
