#include "model/NumberHelpers.h"

#include <QCoreApplication>
#include <algorithm>

#include "model/Errors.h"

namespace vrx {

namespace {

constexpr int kMaxPadding = 10;
constexpr qsizetype kMaxStrippedLength = 1000;

QChar DigitChar(int nibble) {
  if (nibble > 9) {
    throw EOwned("Bad digit");
  }
  return QChar(u'0' + nibble);
}

uint8_t DigitValue(QChar c) {
  return static_cast<uint8_t>(c.unicode() - u'0');
}

}  // namespace

QString BcdToStr(const uint8_t* field, int digits) {
  QString text;
  if (digits <= 0) {
    return text;
  }
  text.reserve(digits);
  int k = (digits + 1) / 2 - 1;
  if (digits % 2 != 0) {
    text.append(DigitChar(field[k] & 0x0F));
    --k;
    --digits;
  }
  for (; digits >= 2; digits -= 2, --k) {
    const uint8_t byte = field[k];
    text.append(DigitChar(byte >> 4));
    text.append(DigitChar(byte & 0x0F));
  }
  return text;
}

void StrToBcd(const QString& digits, uint8_t* dest) {
  qsizetype i = digits.size();
  for (; i >= 2; i -= 2) {
    *dest++ = static_cast<uint8_t>((DigitValue(digits[i - 2]) << 4) + DigitValue(digits[i - 1]));
  }
  if (i == 1) {
    *dest = DigitValue(digits[0]) & 0x0F;
  }
}

int BcdToByte(uint8_t value) {
  return (value >> 4) * 10 + (value & 0x0F);
}

uint8_t ByteToBcd(int value) {
  return static_cast<uint8_t>(((value / 10) << 4) | (value % 10));
}

QString IntToZeroPadded(int value, int width) {
  QString text = QString::number(value);
  const qsizetype zeros = std::min<qsizetype>(width - text.size(), kMaxPadding);
  if (zeros > 0) {
    text.prepend(QString(zeros, u'0'));
  }
  return text;
}

QString StripLeadingZeros(const QString& text) {
  qsizetype zeros = 0;
  while (zeros < text.size() && text[zeros] == u'0') {
    ++zeros;
  }
  if (zeros > 0 && (zeros == text.size() || text[zeros] < u'0' || text[zeros] > u'9')) {
    --zeros;  // keep the zero in front of a separator, or the only digit of a zero value
  }
  return text.mid(zeros, kMaxStrippedLength);
}

QString NormalizeDecimalSeparator(const QString& text, const QLocale& locale) {
  const QString separator = locale.decimalPoint();
  const qsizetype point = text.indexOf(u'.');
  const qsizetype comma = text.indexOf(u',');
  QString result = text;
  // Replace the later one first so that the earlier position stays valid when the separator
  // is longer than one character.
  for (qsizetype pos : {std::max(point, comma), std::min(point, comma)}) {
    if (pos >= 0) {
      result.replace(pos, 1, separator);
    }
  }
  return result;
}

QString ProgramDirectory() {
  return QCoreApplication::applicationDirPath() + u'/';
}

}  // namespace vrx
