#include "rq7/Rq7Block.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

#include "model/DecimalText.h"
#include "model/Errors.h"
#include "model/NumberHelpers.h"

namespace vrx {

namespace {

constexpr int kAddressOffset = 41;
constexpr int kNumberOffset = 42;
constexpr int kPulseOffset = 44;    // channel 1; channel 2 follows
constexpr int kMinFlowOffset = 52;  // channels 1 and 2, words in thousandths
constexpr int kMaxFlowOffset = 56;  // channels 1 and 2, words
constexpr int kCorrectionOffset = 72;
constexpr uint8_t kCorrectionPositive = 0x40;
constexpr uint8_t kCorrectionSignBits = 0xC0;
constexpr int kTrackBarLimit = 20;
constexpr double kThousandths = 1000;
constexpr int kWordMax = 0xFFFF;

// Flow limits of the checks: flows per hour, pulse values per pulse.
constexpr double kMaxFlow = 5000;
constexpr double kMaxFlowRatio = 1333;
constexpr double kMinPulsesPerHour = 0.025;
constexpr double kMaxPulsesPerHour = 1022;
constexpr double kSecondsPerHour = 3600;

// A bit of the flag bytes 46 to 51 that one check box shows and writes.
struct FlagBit {
  const char* box;
  int byte;
  int bit;
};

constexpr FlagBit kFlagBits[] = {
    {"cbOut11", 46, 0}, {"cbOut21", 46, 1}, {"cbOut31", 46, 2}, {"cbOut41", 46, 3},
    {"cbOut51", 46, 4}, {"cbOut52", 46, 5}, {"cbErr11", 46, 6}, {"cbErr12", 46, 7},
    {"cbte11", 47, 0},  {"cbte21", 47, 1},  {"cbte31", 47, 2},  {"cbte41", 47, 3},
    {"cbte51", 47, 4},  {"cbVt21", 48, 1},  {"cbVt31", 48, 2},  {"cbVt41", 48, 3},
    {"cbVt51", 48, 4},  {"cbErr31", 48, 6}, {"cbErr32", 48, 7}, {"cbOut12", 49, 0},
    {"cbOut22", 49, 1}, {"cbOut32", 49, 2}, {"cbOut42", 49, 3}, {"cbErr41", 49, 6},
    {"cbErr42", 49, 7}, {"cbt2e12", 50, 0}, {"cbt2e22", 50, 1}, {"cbt2e32", 50, 2},
    {"cbt2e42", 50, 3}, {"cbt2e51", 50, 4}, {"cbErr6", 50, 7},  {"cbV2t22", 51, 1},
    {"cbV2t32", 51, 2}, {"cbV2t42", 51, 3}, {"cbV2t51", 51, 4},
};
// Written only: error 5 on the output of group 1 goes to the unit a second time.
constexpr FlagBit kWrittenOnly = {"cbOut51", 49, 4};
// Error 1 always acts on V1, tp1 and on V2, tp2.
constexpr FlagBit kAlwaysSet[] = {{"cbVt11", 48, 0}, {"cbV2t12", 51, 0}};

// A three-way group: its test bit and its active-level bit.
struct GroupBits {
  const char* group;
  int testByte, testBit;
  int levelByte, levelBit;
};
constexpr GroupBits kGroups[] = {
    {"rgErr21", 47, 6, 47, 5},
    {"rgErr22", 47, 7, 48, 5},
    {"rgErr5", 50, 6, 49, 5},
};
enum GroupItem { kOff = 0, kActiveLow = 1, kActiveHigh = 2 };

bool Bit(const uint8_t* block, int byte, int bit) {
  return (block[byte] >> bit) & 1;
}

void SetBit(uint8_t* block, int byte, int bit, bool on) {
  const uint8_t mask = static_cast<uint8_t>(1u << bit);
  block[byte] = static_cast<uint8_t>(on ? block[byte] | mask : block[byte] & ~mask);
}

int Word(const uint8_t* p) {
  return p[0] | (p[1] << 8);
}

void SetWord(uint8_t* p, int value) {
  p[0] = static_cast<uint8_t>(value & 0xFF);
  p[1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// Nearest integer, halves to even, within a word.
int RoundedWord(double value) {
  return static_cast<int>(std::clamp(std::nearbyint(value), 0.0, double(kWordMax)));
}

// Mask literals are shown, not stored.
QString DigitsOf(const QString& text) {
  QString digits;
  for (QChar c : text) {
    if (c.isDigit())
      digits += c;
  }
  return digits;
}

QString Masked(const QString& digits, const QString& mask) {
  QString text = mask;
  int next = 0;
  for (int i = 0; i < text.size(); ++i) {
    if (mask[i] == QLatin1Char('0'))
      text[i] = digits[next++];
  }
  return text;
}

int DigitCount(const QString& mask) {
  return static_cast<int>(mask.count(QLatin1Char('0')));
}

QString FixedText(double value, int decimals) {
  return QLocale().toString(value, 'f', decimals);
}

QString Channel(const char* name, int channel) {
  return QString::fromUtf8(name).arg(channel);
}

// The flow limits of channel ch (0 or 1), named as the tab's captions name them.
double MinFlow(const Rq7InitForm& form, int ch) {
  return NumberOf(form.texts.value(Channel("meV%1l", ch + 1)), Channel("Мин. расход V%1", ch + 1));
}

double MaxFlow(const Rq7InitForm& form, int ch) {
  return NumberOf(form.texts.value(Channel("meV%1h", ch + 1)), Channel("Макс. расход V%1", ch + 1));
}

}  // namespace

void DecodeUnitBlock(const uint8_t* block, Rq7InitForm& form) {
  Rq7InitForm f = form;
  for (const Rq7MaskedField& field : Rq7MaskedFields()) {
    const QString mask = QString::fromLatin1(field.mask);
    f.texts[QString::fromLatin1(field.name)] =
        Masked(BcdToStr(block + field.offset, DigitCount(mask)), mask);
  }
  const int address = block[kAddressOffset];
  f.texts[QStringLiteral("DevRQAddrEdit")] = address == 0 ? QString() : QString::number(address);
  f.texts[QStringLiteral("DevRQNoEdit")] = QString::number(Word(block + kNumberOffset));
  for (int ch = 0; ch < 2; ++ch) {
    const int index = block[kPulseOffset + ch];
    // An index beyond the list leaves the list as it was: no item stands for it.
    if (index < PulseValueItems().size())
      f.texts[QString::fromLatin1(kRq7ListNames[ch])] = PulseValueItems()[index];
    f.texts[Channel("meV%1l", ch + 1)] =
        FixedText(Word(block + kMinFlowOffset + 2 * ch) / kThousandths, 4);
    // The maximum flow's field takes whole numbers; the word is shown in full.
    f.texts[Channel("meV%1h", ch + 1)] = QString::number(Word(block + kMaxFlowOffset + 2 * ch));
  }
  for (const FlagBit& flag : kFlagBits)
    f.checks[QString::fromLatin1(flag.box)] = Bit(block, flag.byte, flag.bit);
  for (const GroupBits& g : kGroups) {
    const GroupItem item = !Bit(block, g.testByte, g.testBit)    ? kOff
                           : Bit(block, g.levelByte, g.levelBit) ? kActiveHigh
                                                                 : kActiveLow;
    f.texts[QString::fromLatin1(g.group)] = ErrorGroupItems()[item];
  }
  DecodeClockCorrection(block[kCorrectionOffset], f);
  form = f;
}

void EncodeUnitBlock(const Rq7InitForm& form, uint8_t* block) {
  const auto text = [&form](const QString& name) { return form.texts.value(name); };
  for (const Rq7MaskedField& field : Rq7MaskedFields()) {
    const QString mask = QString::fromLatin1(field.mask);
    const QString digits = DigitsOf(text(QString::fromLatin1(field.name)));
    StrToBcd(digits.rightJustified(DigitCount(mask), QLatin1Char('0')).right(DigitCount(mask)),
             block + field.offset);
  }
  bool ok = false;
  const int address = text(QStringLiteral("DevRQAddrEdit")).trimmed().toInt(&ok);
  block[kAddressOffset] = static_cast<uint8_t>(ok && address > 0 && address <= 0xFF ? address : 0);
  const int number = IntegerOf(text(QStringLiteral("DevRQNoEdit")), QStringLiteral("Зав. №"));
  if (number < 0 || number > kWordMax)
    throw EOwned("Заводской номер должен быть от 0 до 65535");
  SetWord(block + kNumberOffset, number);
  for (int ch = 0; ch < 2; ++ch) {
    block[kPulseOffset + ch] = static_cast<uint8_t>(std::max(
        0,
        static_cast<int>(PulseValueItems().indexOf(text(QString::fromLatin1(kRq7ListNames[ch]))))));
    SetWord(block + kMinFlowOffset + 2 * ch, RoundedWord(MinFlow(form, ch) * kThousandths));
    SetWord(block + kMaxFlowOffset + 2 * ch, RoundedWord(MaxFlow(form, ch)));
  }
  for (const FlagBit& flag : kFlagBits)
    SetBit(block, flag.byte, flag.bit, form.checks.value(QString::fromLatin1(flag.box)));
  SetBit(block, kWrittenOnly.byte, kWrittenOnly.bit,
         form.checks.value(QString::fromLatin1(kWrittenOnly.box)));
  for (const FlagBit& flag : kAlwaysSet)
    SetBit(block, flag.byte, flag.bit, true);
  for (const GroupBits& g : kGroups) {
    const auto item = ErrorGroupItems().indexOf(text(QString::fromLatin1(g.group)));
    SetBit(block, g.testByte, g.testBit, item == kActiveLow || item == kActiveHigh);
    SetBit(block, g.levelByte, g.levelBit, item == kActiveHigh);
  }
  block[kCorrectionOffset] = ClockCorrectionByte(form.TrackBar1);
}

uint8_t ClockCorrectionByte(int position) {
  const int p = std::clamp(position, -kTrackBarLimit, kTrackBarLimit);
  return p >= 0 ? static_cast<uint8_t>(ByteToBcd(p) | kCorrectionPositive) : ByteToBcd(-p);
}

void DecodeClockCorrection(uint8_t value, Rq7InitForm& form) {
  const uint8_t magnitude = value & static_cast<uint8_t>(~kCorrectionSignBits);
  const QString digits = BcdToStr(&magnitude, 2);
  const int m = digits.toInt();
  if (m > kTrackBarLimit) {
    form.TrackBar1 = 0;
    form.texts[QStringLiteral("l1")] = digits + QLatin1Char('h');
    return;
  }
  form.TrackBar1 = (value & kCorrectionPositive) ? m : -m;
  form.texts[QStringLiteral("l1")] = TrackBarCaption(form.TrackBar1);
}

QStringList CheckUnitFlows(const Rq7InitForm& form) {
  double vmin[2], vmax[2];
  for (int ch = 0; ch < 2; ++ch) {
    vmin[ch] = MinFlow(form, ch);
    vmax[ch] = MaxFlow(form, ch);
  }
  QStringList failed;
  for (int ch = 0; ch < 2; ++ch) {
    const bool inRange = vmin[ch] > 0 && vmax[ch] <= kMaxFlow && vmin[ch] <= vmax[ch] &&
                         vmax[ch] / vmin[ch] <= kMaxFlowRatio &&
                         vmin[ch] * kThousandths <= kWordMax;
    if (!inRange)
      failed << Channel("Ошибка диапазона расхода %1к.", ch + 1);
  }
  for (int ch = 0; ch < 2; ++ch) {
    const std::optional<double> pulse = ParseDecimal(
        NormalizeDecimalSeparator(form.texts.value(QString::fromLatin1(kRq7ListNames[ch]))));
    const double p = pulse.value_or(-1);
    if (!(p <= vmin[ch] * kMaxPulsesPerHour / kSecondsPerHour &&
          p >= vmax[ch] * kMinPulsesPerHour / kSecondsPerHour))
      failed << Channel("Ошибка цены импульса %1к.", ch + 1);
  }
  return failed;
}

}  // namespace vrx
