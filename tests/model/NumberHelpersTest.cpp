#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <vector>

#include "model/Errors.h"
#include "model/NumberHelpers.h"
#include "model/NumberLocale.h"

// Readable failure output for QString comparisons.
static void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace vrx {
namespace {

// Bytes of a field followed by guard bytes that hold no valid BCD, so reading past the field
// raises and writing past it shows.
QByteArray Guarded(const QByteArray& field) {
  return field + QByteArray(4, char(0xEE));
}

const uint8_t* Bytes(const QByteArray& a) {
  return reinterpret_cast<const uint8_t*>(a.data());
}

TEST(Bcd, ReadsFields) {
  struct {
    const char* hex;
    int digits;
    const char* text;
  } const cases[] = {
      {"452301", 6, "012345"},
      {"452301", 5, "12345"},  // the high nibble of the last byte is
                               // not read
      {"45F1", 3, "145"},
      {"09", 1, "9"},
      {"99", 2, "99"},
      {"", 0, ""},
      {"78563412", 8, "12345678"},
  };
  for (const auto& c : cases) {
    const QByteArray field = Guarded(QByteArray::fromHex(c.hex));
    EXPECT_EQ(BcdToStr(Bytes(field), c.digits), QString::fromLatin1(c.text)) << c.hex;
  }
}

TEST(Bcd, RejectsNibblesAboveNine) {
  struct {
    const char* hex;
    int digits;
  } const cases[] = {
      {"A0", 2}, {"0A", 2}, {"0B", 1}, {"1234F0", 6}, {"12A4", 4},
  };
  for (const auto& c : cases) {
    const QByteArray field = QByteArray::fromHex(c.hex);
    try {
      BcdToStr(Bytes(field), c.digits);
      ADD_FAILURE() << c.hex << " was accepted";
    } catch (const EOwned& e) {
      EXPECT_STREQ(e.what(), "Bad digit") << c.hex;
    }
  }
}

TEST(Bcd, WritesFieldsAndReadsThemBack) {
  struct {
    const char* text;
    const char* hex;
  } const cases[] = {
      {"12345", "452301"}, {"012345", "452301"},     {"7", "07"},
      {"90", "90"},        {"00000001", "01000000"},
  };
  for (const auto& c : cases) {
    QByteArray dest = Guarded(QByteArray());
    const QByteArray expected = QByteArray::fromHex(c.hex);
    dest.prepend(QByteArray(expected.size(), char(0xEE)));
    StrToBcd(QString::fromLatin1(c.text), reinterpret_cast<uint8_t*>(dest.data()));
    EXPECT_EQ(dest, Guarded(expected)) << c.text;
    const int digits = static_cast<int>(qstrlen(c.text));
    EXPECT_EQ(BcdToStr(Bytes(dest), digits), QString::fromLatin1(c.text));
  }
}

TEST(Bcd, SingleBytes) {
  EXPECT_EQ(ByteToBcd(59), 0x59);
  EXPECT_EQ(BcdToByte(0x59), 59);
  EXPECT_EQ(ByteToBcd(0), 0x00);
  EXPECT_EQ(ByteToBcd(99), 0x99);
  for (int v = 0; v <= 99; ++v) {
    EXPECT_EQ(BcdToByte(ByteToBcd(v)), v);
  }
}

TEST(NumberText, ZeroPadding) {
  struct {
    int value, width;
    const char* text;
  } const cases[] = {
      {42, 5, "00042"}, {42, 1, "42"}, {42, 2, "42"},
      {0, 3, "000"},    {0, 0, "0"},   {7, 15, "00000000007"},  // at most ten zeros added
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IntToZeroPadded(c.value, c.width), QString::fromLatin1(c.text))
        << c.value << " width " << c.width;
  }
}

TEST(NumberText, StripLeadingZeros) {
  struct {
    const char* in;
    const char* out;
  } const cases[] = {
      {"000", "0"}, {"00,5", "0,5"},      {"007", "7"},           {"0:30", "0:30"},
      {"", ""},     {"123,45", "123,45"}, {"00123,45", "123,45"}, {"0", "0"},
      {"10", "10"}, {"000:05", "0:05"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StripLeadingZeros(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
  }
  const QString longText = QString(5, u'0') + QString(1200, u'9');
  EXPECT_EQ(StripLeadingZeros(longText), QString(1000, u'9'));
}

TEST(NumberText, NormalizeDecimalSeparator) {
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  struct {
    const QLocale* locale;
    const char* in;
    const char* out;
  } const cases[] = {
      {&russian, "1.5", "1,5"},     {&russian, "1.2.3", "1,2.3"}, {&russian, "1,5", "1,5"},
      {&russian, "1.5,2", "1,5,2"}, {&english, "1,5", "1.5"},     {&english, "1,5.2", "1.5.2"},
      {&english, "1,2,3", "1.2,3"}, {&russian, "15", "15"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormalizeDecimalSeparator(QString::fromLatin1(c.in), *c.locale),
              QString::fromLatin1(c.out))
        << c.in;
  }
  // The default is the application's locale (Russian in the tests).
  EXPECT_EQ(NormalizeDecimalSeparator(QStringLiteral("2.5")), QStringLiteral("2,5"));
}

TEST(NumberText, NumbersAreRussianOnlyWhereTheSystemHasNoLocale) {
  struct {
    QLocale system;
    const char* written;  // 2.5
  } const cases[] = {
      {QLocale::c(), "2,5"},
      {QLocale(QLocale::English, QLocale::UnitedStates), "2.5"},
      {QLocale(QLocale::German, QLocale::Germany), "2,5"},
      {QLocale(QLocale::English, QLocale::UnitedKingdom), "2.5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberLocale(c.system).toString(2.5), QString::fromLatin1(c.written))
        << c.system.name().toStdString();
  }
}

TEST(NumberText, ProgramDirectoryHoldsTheExecutable) {
  const QString dir = ProgramDirectory();
  ASSERT_TRUE(dir.endsWith(u'/'));
  const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  EXPECT_TRUE(QFileInfo::exists(dir + exe)) << dir.toStdString();
}

}  // namespace
}  // namespace vrx
