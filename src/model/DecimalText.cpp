#include "model/DecimalText.h"

#include "model/Errors.h"
#include "model/NumberHelpers.h"

namespace vrx {

namespace {

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

int IntegerOf(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok)
    throw EOwned(QStringLiteral("\"%1\" не является целым числом").arg(text));
  return value;
}

double NumberOf(const QString& text) {
  const std::optional<double> value = ParseDecimal(text);
  if (!value)
    throw EOwned(QStringLiteral("\"%1\" не является числом").arg(text));
  return *value;
}

}  // namespace vrx
