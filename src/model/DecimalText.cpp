#include "model/DecimalText.h"

#include "model/Errors.h"
#include "model/NumberHelpers.h"

namespace vrx {

namespace {

// An edit may be left empty while it is being typed into; the write refuses it.
void RequireFilled(const QString& text, const QString& field) {
  if (text.trimmed().isEmpty())
    throw EOwned(QStringLiteral("Поле \"%1\" не заполнено").arg(field));
}

QLocale WithoutGroupSeparator(QLocale locale) {
  locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
  return locale;
}

}  // namespace

std::optional<double> ParseDecimal(const QString& text, const QLocale& locale) {
  bool ok = false;
  const double value = WithoutGroupSeparator(locale).toDouble(
      NormalizeDecimalSeparator(text.trimmed(), locale), &ok);
  if (!ok)
    return std::nullopt;
  return value;
}

QString FloatFieldText(double value, int precision, const QLocale& locale) {
  return WithoutGroupSeparator(locale).toString(value, 'g', precision);
}

QString OneDecimalText(double value, const QLocale& locale) {
  QString text = WithoutGroupSeparator(locale).toString(value, 'f', 1);
  const QString zeroDecimal = locale.decimalPoint() + QLatin1Char('0');
  if (text.endsWith(zeroDecimal))
    text.chop(zeroDecimal.size());
  return text;
}

int IntegerOf(const QString& text, const QString& field) {
  RequireFilled(text, field);
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok)
    throw EOwned(QStringLiteral("Поле \"%1\": \"%2\" не является целым числом").arg(field, text));
  return value;
}

double NumberOf(const QString& text, const QString& field) {
  RequireFilled(text, field);
  const std::optional<double> value = ParseDecimal(text);
  if (!value)
    throw EOwned(QStringLiteral("Поле \"%1\": \"%2\" не является числом").arg(field, text));
  return *value;
}

int IntegerIn(const QString& text, const QString& field, int min, int max) {
  const int value = IntegerOf(text, field);
  if (value < min || value > max) {
    throw EOwned(
        QStringLiteral("Поле \"%1\": число должно быть от %2 до %3").arg(field).arg(min).arg(max));
  }
  return value;
}

}  // namespace vrx
