#include "current/CurrentDecoder.h"

#include <QLocale>

#include "current/ChannelCells.h"
#include "current/ChannelErrors.h"
#include "current/CurrentBlock.h"
#include "model/ChannelFlags.h"
#include "model/CodeTexts.h"
#include "model/NumberHelpers.h"

namespace vrx {

namespace {

constexpr int kTypeBytePosition = 11;
constexpr uint8_t kTypeByte10 = 10;
constexpr int kType10Extra = 4;
constexpr int kChecksumBytes = 2;
constexpr uint8_t kL1Version = 255;
constexpr int kNumberWidth = 5;

const char* const kInputTypes[] = {"нет", "0..5мА", "4..20мА"};

// Two BCD digits of a clock byte.
QString Two(const uint8_t* clock, int position) {
  return BcdToStr(&clock[position - 1], 2);
}

QString ClockText(const uint8_t* clock, int minute) {
  return Two(clock, minute + 2) + u'.' + Two(clock, minute + 3) + u'.' + Two(clock, minute + 4) +
         u' ' + Two(clock, minute + 1) + u':' + Two(clock, minute);
}

QString Tenths(int value) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value / 10.0, 'f', 1);
}

QString InputTypeText(int minorVersion) {
  if (minorVersion < 0 || minorVersion > 2)
    return {};
  return QString::fromUtf8(kInputTypes[minorVersion]);
}

}  // namespace

QStringList WidestTexts(const QString& name) {
  for (const CurrentDisplay::Row& row : CurrentDisplay::Rows()) {
    if (row.cells.contains(name))
      return WidestChannelTexts(row.label);
  }
  const QString comma = QLocale().decimalPoint();
  QStringList texts;
  if (name == QLatin1String("stVRXType")) {
    for (const TDeviceRecord& type : DeviceTypes())
      texts << QString::fromUtf8(type.Name);
  } else if (name == QLatin1String("stOutType")) {
    for (const char* input : kInputTypes)
      texts << QString::fromUtf8(input);
  } else if (name == QLatin1String("stW100")) {
    texts << SensorCoefficientText(0) << SensorCoefficientText(2);
  } else if (name == QLatin1String("stScheme") || name == QLatin1String("stAddr")) {
    texts << QStringLiteral("000");
  } else if (name == QLatin1String("stNumber")) {
    texts << QString(kNumberWidth, u'0');
  } else if (name == QLatin1String("stRTC") || name == QLatin1String("stIniRTC")) {
    texts << QStringLiteral("00.00.00 00:00");
  } else if (name == QLatin1String("stTCW") || name == QLatin1String("stPCW")) {
    texts << QStringLiteral("000") + comma + u'0';
  }
  return texts;
}

namespace {

void ShowLabels(const CurrentContext& c, CurrentDisplay& d) {
  d.SetVisible(QStringLiteral("lbPmax"), c.type.Code >= 7 && c.type.MinorVersion != 0);
  for (const char* name : {"lbDu", "lbW", "lbgt"})
    d.SetVisible(QString::fromLatin1(name), !c.L1());
  for (int k = 3; k <= kMaxChannels; ++k)
    d.SetVisible(QStringLiteral("lbChannel%1").arg(k), ChannelUsed(k, c.FamilyMask()));
}

}  // namespace

void ShowClocks(const uint8_t* clock, CurrentDisplay& display) {
  display.SetText(QStringLiteral("stRTC"), ClockText(clock, 1));
  display.SetText(QStringLiteral("stIniRTC"), ClockText(clock, 6));
}

BlockFamily FamilyOfClockBlock(const uint8_t* clock) {
  uint8_t t = clock[kTypeBytePosition - 1];
  BlockFamily result;
  result.typeByte10 = t == kTypeByte10;
  if (result.typeByte10)
    t = 9;
  if (t >= 4)
    t = static_cast<uint8_t>(t - 4);
  result.family = &FamilyAt(FamilyLookup(t));
  result.length = (*result.family->CurrentLayout)[BlockLength] +
                  (result.typeByte10 ? kType10Extra : 0) + kChecksumBytes;
  return result;
}

void DecodeCurrentBlock(const uint8_t* bytes, const BlockFamily& bf, ConnectionState& state,
                        CurrentDisplay& d) {
  const TFamilyRecord& family = *bf.family;
  const CurrentBlock block(bytes, bf.length, *family.CurrentLayout);
  const bool l1 = family.IsL1Family != 0;

  const uint8_t version = l1 ? kL1Version : block.Field(FirmwareVersion);
  const bool supportsPmax =
      family.Code >= 7 || (family.IsL3Family && (version & 0x03) == 0x03 && version > 0x9F);
  const TDeviceRecord& type = DeviceTypeAt(TypeLookup(family.Code, version));
  d.SetText(QStringLiteral("stVRXType"), QString::fromUtf8(type.Name));
  state.Family = &family;
  state.VersionByte = version;
  state.SupportsPmax = supportsPmax;
  state.DeviceType = &type;
  state.TypeByte10 = bf.typeByte10;

  const uint8_t schemeCode = block.Field(SchemeCode) & 0x7F;
  const TSchemeRecord& scheme = family.Schemes[SchemeLookup(family, type, schemeCode) - 1];
  state.DeviceScheme = &scheme;
  d.SetText(QStringLiteral("stScheme"), QString::number(scheme.SchemeNumber));
  d.SetText(QStringLiteral("stAddr"), QString::number(block.Field(NetworkAddress)));

  const CurrentContext c{block, family, type, scheme, supportsPmax, bf.typeByte10, version};
  const uint8_t flags = c.Flags();
  // W100 is the sensor coefficient: the family's on a VRX-L1, bit 1 of the flags byte elsewhere
  // (the coefficient table is indexed by bit 1 of a family code).
  d.SetText(QStringLiteral("stW100"), SensorCoefficientText(l1 ? family.Code : flags & 0x02));
  d.SetText(QStringLiteral("stOutType"), InputTypeText(type.MinorVersion));
  ShowLabels(c, d);

  FillChannelCells(c, d);
  FillErrorCells(c, d);

  d.coldWaterVisible = (scheme.Flags & kFlagNoColdWater) == 0;
  d.SetText(QStringLiteral("stTCW"), Tenths(block.Field(ColdWaterTemperature)));

  const int serialPosition = block.Position(SerialNumber);
  const uint16_t serial = l1 ? block.WordBE(serialPosition) : block.WordLE(serialPosition);
  d.SetText(QStringLiteral("stNumber"), IntToZeroPadded(serial, kNumberWidth));
  const uint8_t coldPressure = block.Field(ColdWaterPressure);
  d.SetText(QStringLiteral("stPCW"),
            l1 ? QString::number((coldPressure & 0x0F) + 1) : Tenths(coldPressure));
  d.SetText(QStringLiteral("stStatus"), StatusText(c));

  const bool gigacalories = (flags & (l1 ? 0x80 : 0x04)) != 0;
  d.SetText(QStringLiteral("lbQ"),
            gigacalories ? QStringLiteral("Q, ГКал") : QStringLiteral("Q, ГДж"));
  d.SetText(QStringLiteral("lbW"),
            gigacalories ? QStringLiteral("W, ГКал/ч") : QStringLiteral("W, ГДж/ч"));
  d.valuePanelVisible = true;
}

}  // namespace vrx
