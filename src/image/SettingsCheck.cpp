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

}  // namespace

QStringList SettingsImageFaults(const SettingsImage& image) {
  QStringList faults;
  if (image.OldFormat()) {
    return faults;
  }
  try {
    SchemeLookup(image.Family(), image.DeviceType(), SchemeCodeByte(image));
  } catch (const EOwned&) {
    faults << QStringLiteral("Неправильный номер измерительной схемы.");
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
