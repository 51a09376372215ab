#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

namespace vrx {

// Packed BCD field of `digits` digits, least significant byte first, high nibble the more
// significant digit; with an odd count the last byte holds one digit in its low nibble.
// Returns the digits most significant first. Throws EOwned "Bad digit" on a nibble above 9.
QString BcdToStr(const uint8_t* field, int digits);

// Writes the digit text as packed BCD, least significant byte first: (digits.size() + 1) / 2
// bytes. The characters are not checked.
void StrToBcd(const QString& digits, uint8_t* dest);

// Single BCD byte (high nibble tens) to its value and back; neither checks its argument.
int BcdToByte(uint8_t value);
uint8_t ByteToBcd(int value);

// Decimal text of a non-negative value with at most ten "0" put in front to reach `width`.
QString IntToZeroPadded(int value, int width);

// Removes leading zeros, keeping one when nothing or a non-digit follows them ("000" -> "0",
// "00,5" -> "0,5", "0:30" unchanged). The result is at most 1000 characters long.
QString StripLeadingZeros(const QString& text);

// Replaces the first "." and the first "," with the locale's decimal separator.
QString NormalizeDecimalSeparator(const QString& text, const QLocale& locale = QLocale());

// Directory of the running executable, ending in "/".
QString ProgramDirectory();

}  // namespace vrx
