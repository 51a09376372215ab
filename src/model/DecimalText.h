#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace vrx {

// Decimal texts of the tab, in the default locale's notation.

// A typed number: blanks around it are ignored and both "." and "," are taken as the decimal
// separator. Nothing when the text is not a number.
std::optional<double> ParseDecimal(const QString& text, const QLocale& locale = QLocale());

// The integer or the number a text stands for; a text that is not one raises the conversion
// error ("\"x\" не является целым числом", "\"x\" не является числом"), which ends an
// initialization before anything is sent.
int IntegerOf(const QString& text);
double NumberOf(const QString& text);

// The text a float field shows: `precision` significant digits, no trailing zeros.
QString FloatFieldText(double value, int precision, const QLocale& locale = QLocale());

// The pattern "0.#": at most one decimal, none when it is zero (5 -> "5", 5.5 -> "5,5").
QString OneDecimalText(double value, const QLocale& locale = QLocale());

}  // namespace vrx
