#include "image/SettingsCheck.h"

#include "image/SettingsFields.h"
#include "model/Errors.h"
#include "model/NumberHelpers.h"

namespace vrx {

namespace {

bool ValidMonth(int month) {
  return month >= 1 && month <= 12;
}

// The clock correction holds a BCD number of at most 20 in its six low bits.
bool ValidRtcCorrection(uint8_t byte) {
  return (byte & 0x0F) <= 9 && BcdToByte(byte & 0x3F) <= 20;
}

bool KnownScheme(const SettingsImage& image) {
  try {
    SchemeLookup(image.Family(), image.DeviceType(), SchemeCodeByte(image));
    return true;
  } catch (const EOwned&) {
    return false;
  }
}

const char* const kBadScheme = "Неправильный номер измерительной схемы.";

}  // namespace

QStringList SettingsImageFaults(const SettingsImage& image) {
  QStringList faults;
  if (image.OldFormat()) {
    return faults;
  }
  if (!KnownScheme(image)) {
    faults << QString::fromUtf8(kBadScheme);
  }
  const SeasonMonths months = SwitchMonths(image);
  if (!ValidMonth(months.summer)) {
    faults << QStringLiteral("Неправильный месяц перехода на летнюю температуру.");
  }
  if (!ValidMonth(months.winter)) {
    faults << QStringLiteral("Неправильный месяц перехода на зимнюю температуру.");
  }
  if (!ValidRtcCorrection(image.Byte(image.FieldPos(RtcCorrection)))) {
    faults << QStringLiteral("Неправильное значение коррекции RTC.");
  }
  return faults;
}

QStringList SavedImageFaults(const SettingsImage& image) {
  if (image.OldFormat() && !KnownScheme(image)) {
    return {QString::fromUtf8(kBadScheme)};
  }
  return SettingsImageFaults(image);
}

void CheckSettingsImage(const SettingsImage& image, Messages& messages) {
  const QStringList faults = SettingsImageFaults(image);
  if (faults.isEmpty()) {
    return;
  }
  QString text;
  for (const QString& fault : faults) {
    text += fault + QStringLiteral("\r\n");
  }
  text += QStringLiteral("Прибор не будет работать.");
  const DialogFont font{QStringLiteral("Arial"), 10, true, kColorRed};
  messages.CustomDialog(DialogKind::Warning, text, QStringLiteral("Предупреждение"), font,
                        kColorButtonFace, false, 0, {QStringLiteral("OK")});
}

}  // namespace vrx
