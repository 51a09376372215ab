#include "init/AgreedValueRules.h"

#include "model/EValidation.h"

namespace vrx {

namespace {

bool Within(double value, double low, double high) {
  return value >= low && value <= high;  // false for NaN
}

}  // namespace

void CheckAgreedTemperature(bool oldFormat, double celsius, const QString& focusControl) {
  if (oldFormat && !Within(celsius, 3, 150)) {
    throw EValidation(
        QStringLiteral("Договорное значение температуры должно быть числом от 3 до 150"),
        focusControl);
  }
  if (!oldFormat && !Within(celsius, 1, 150)) {
    throw EValidation(
        QStringLiteral("Договорное значение температуры должно быть числом от 1 до 150"),
        focusControl);
  }
}

void CheckAgreedPressure(bool oldFormat, double kgf, const QString& focusControl) {
  if (oldFormat && !Within(kgf, 1, 16)) {
    throw EValidation(QStringLiteral("Давление воды должно быть целым числом от 1 до 16"),
                      focusControl);
  }
  if (!oldFormat && !Within(kgf, 0, 16)) {
    throw EValidation(QStringLiteral("Давление воды должно быть числом от 0 до 16,0"),
                      focusControl);
  }
}

}  // namespace vrx
