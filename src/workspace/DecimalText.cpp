#include "workspace/DecimalText.h"

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

}  // namespace vrx
