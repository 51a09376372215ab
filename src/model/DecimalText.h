#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace vrx {

// Decimal texts of the tab, in the default locale's notation.

// A typed number: blanks around it are ignored and both "." and "," are taken as the decimal
// separator. Nothing when the text is not a number.
std::optional<double> ParseDecimal(const QString& text, const QLocale& locale = QLocale());

// The integer or the number the text of a field stands for. A text that is not one raises an
// error that names the field ("Поле \"FIELD\" не заполнено", "Поле \"FIELD\": \"x\" не является
// целым числом", "… не является числом"), which ends a write before anything is sent.
int IntegerOf(const QString& text, const QString& field);
double NumberOf(const QString& text, const QString& field);
// An integer of the field from min to max; another raises "Поле \"FIELD\": число должно быть
// от MIN до MAX".
int IntegerIn(const QString& text, const QString& field, int min, int max);

// The text a float field shows: `precision` significant digits, no trailing zeros.
QString FloatFieldText(double value, int precision, const QLocale& locale = QLocale());

// The pattern "0.#": at most one decimal, none when it is zero (5 -> "5", 5.5 -> "5,5").
QString OneDecimalText(double value, const QLocale& locale = QLocale());

}  // namespace vrx
