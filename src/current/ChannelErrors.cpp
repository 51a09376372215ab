#include "current/ChannelErrors.h"

#include <algorithm>

#include "model/ChannelFlags.h"

namespace vrx {

namespace {

const char* const kNoErrors = "Нет ошибок";
const char* const kSensorError = "Ошибка ПР";
const QString kNoValue = QStringLiteral("----");

// Collects the texts of the bits that are set, each followed by a line break.
class Accumulator {
 public:
  explicit Accumulator(const CurrentBlock& block) : block_(block) {}

  bool AddIfBit(int position, int bit, const QString& text) {
    if (!block_.Bit(position, bit))
      return false;
    Add(text);
    return true;
  }
  void Add(const QString& text) { text_ += text + QStringLiteral("\r\n"); }
  QString Text() const { return text_.isEmpty() ? QString::fromUtf8(kNoErrors) : text_; }

 private:
  const CurrentBlock& block_;
  QString text_;
};

QChar Digit(int channel) {
  return QChar(u'0' + channel);
}

// Position of channel k's error byte E(k).
int ErrorByte(const CurrentContext& c, int k) {
  return c.block.Position(FirstErrorByte) + k - 1;
}

// The pair byte P(k): E(1) for channels 1, 2 and 5, E(3) for channels 3 and 4.
int PairByte(const CurrentContext& c, int k) {
  return c.block.Position(FirstErrorByte) + ((k - 1) & 2);
}

// The prefix of a temperature-difference text against the fixed pairs or a reference channel.
QString DifferencePrefix(int k, int reference) {
  if (reference == 0)
    return k <= 2 ? QStringLiteral("t1-t2 < ") : QStringLiteral("t3-t4 < ");
  return QStringLiteral("t") + Digit(std::min(k, reference)) + QStringLiteral("-t") +
         Digit(std::max(k, reference)) + QStringLiteral(" < ");
}

QString PartnerPrefix(int partner, int reference) {
  return QStringLiteral("dt") + Digit(std::min(partner, reference)) +
         Digit(std::max(partner, reference)) + QStringLiteral(" < ");
}

// The temperature-difference lines: a "0°C" bit and a "3°C" bit, where the VRX-L1 tests the
// second only when the first is clear.
struct DifferenceBits {
  int zeroBit;
  int threeBit;
  bool exclusive;
};

// Where the "3°C" bit of the fixed pairs sits when it is not beside the "0°C" bit in P(k).
struct BitAt {
  int position;
  int bit;
};

void AddDifference(Accumulator& acc, const QString& prefix, int position, BitAt three,
                   const DifferenceBits& bits) {
  const bool zero = acc.AddIfBit(position, bits.zeroBit, prefix + QStringLiteral("0°C"));
  if (!(zero && bits.exclusive))
    acc.AddIfBit(three.position, three.bit, prefix + QStringLiteral("3°C"));
}

void AddDifferences(const CurrentContext& c, Accumulator& acc, int k, const DifferenceBits& bits,
                    BitAt fixedPairThree) {
  const int reference = c.scheme.TempPairChannel;
  if (reference == 0) {
    AddDifference(acc, DifferencePrefix(k, 0), PairByte(c, k), fixedPairThree, bits);
  } else if (reference != k) {
    AddDifference(acc, DifferencePrefix(k, reference), ErrorByte(c, k),
                  {ErrorByte(c, k), bits.threeBit}, bits);
  } else {
    for (int partner = 1; partner <= 3; ++partner) {
      if (partner != reference) {
        AddDifference(acc, PartnerPrefix(partner, reference), ErrorByte(c, partner),
                      {ErrorByte(c, partner), bits.threeBit}, bits);
      }
    }
  }
}

void L1Errors(const CurrentContext& c, Accumulator& acc, int k) {
  const int e = ErrorByte(c, k);
  acc.AddIfBit(e, 7, QStringLiteral("КЗ линии ПР"));
  acc.AddIfBit(e, 6, QStringLiteral("Обрыв линии ПР"));
  acc.AddIfBit(e, 5, QStringLiteral("t") + Digit(k) + QStringLiteral(" < 3°C"));
  acc.AddIfBit(e, 4, QStringLiteral("t") + Digit(k) + QStringLiteral(" > 150°C"));
  AddDifferences(c, acc, k, {3, 1, true}, {PairByte(c, k), 1});
  acc.AddIfBit(e, 2, QStringLiteral("Q") + Digit(k) + QStringLiteral(" < 0"));
  acc.AddIfBit(e, 0, QStringLiteral("t") + Digit(k) + QStringLiteral("-tхв < 0°C"));
}

// The flow-ratio lines of the families with code 7 and 8.
void FlowRatioErrors(const CurrentContext& c, Accumulator& acc, int k) {
  const int a = (k - 1) & 2;
  const int f = c.block.Position(FlowRatioErrorByte);
  const auto g = [](int n) { return QString::number(n); };
  acc.AddIfBit(f, 2 * a, QStringLiteral("1,04g%1 > g%2 > g%3").arg(g(a + 1), g(a + 2), g(a + 1)));
  acc.AddIfBit(f, 2 * a + 1, QStringLiteral("g%1 > 1,04g%2").arg(g(a + 2), g(a + 1)));
  acc.AddIfBit(f, 2 * a + 2,
               QStringLiteral("1,04g%1 > g%2 > g%3").arg(g(a + 2), g(a + 1), g(a + 2)));
  acc.AddIfBit(f, 2 * a + 3, QStringLiteral("g%1 > 1,04g%2").arg(g(a + 1), g(a + 2)));
}

void OtherErrors(const CurrentContext& c, Accumulator& acc, int k) {
  const int e = ErrorByte(c, k);
  const int code = c.type.Code;
  const bool l5 = c.type.IsL5 != 0;
  acc.AddIfBit(e, 7, QString::fromUtf8(kSensorError));
  acc.AddIfBit(e, 6, QStringLiteral("t вне диапазона"));
  // The VRX-L12 keeps the "3°C" bit of the fixed pairs in byte 13.
  AddDifferences(c, acc, k, {5, 1, false}, code == 8 ? BitAt{13, 5} : BitAt{PairByte(c, k), 1});
  acc.AddIfBit(e, 4, QStringLiteral("t") + Digit(k) + QStringLiteral("-tхв < 0°C"));
  if (code < 7) {
    const bool flowDifference = l5 && c.block.Bit(c.block.Position(FlagsByte) + 1, 4);
    if (!flowDifference)
      acc.AddIfBit(e, 3, QStringLiteral("W") + Digit(k) + QStringLiteral(" < 0"));
    else
      acc.AddIfBit(e, 3, k <= 2 ? QStringLiteral("g1-g2 < 0") : QStringLiteral("g3-g4 < 0"));
  } else {
    FlowRatioErrors(c, acc, k);
  }
  if (l5 || code == 7)
    acc.AddIfBit(e, 2, QStringLiteral("g < gпор"));
  if (code == 7)
    acc.AddIfBit(23, k - 1, QStringLiteral("g < gмин"));
  if (code == 8 && k <= 2) {
    acc.AddIfBit(12, 4 - 2 * k, QStringLiteral("g < gпор"));
    acc.AddIfBit(12, 5 - 2 * k, QStringLiteral("g < gмин"));
  }
  const QString pressureError = QStringLiteral("Ошибка P");
  if (code == 8)
    acc.AddIfBit(11, 8 - k, pressureError);
  else if (code == 7)
    acc.AddIfBit(23, k + 3, pressureError);
  else if (l5 && c.versionByte < 0xC0)
    acc.AddIfBit(c.block.Position(Volume) + 29, k + 3, pressureError);
}

// The flow-sensor line of a channel without temperature: channel 5 of the type-10 instrument
// and of the VRX-L13 reports it in E(1), channel 3 of the VRX-L12 in byte 11.
QString NoTemperatureText(const CurrentContext& c, int k) {
  const int code = c.type.Code;
  bool error = false;
  if (k == 5 && (c.typeByte10 || code == 7))
    error = c.block.Bit(ErrorByte(c, 1), 0);
  else if (k == 3 && code == 8)
    error = c.block.Bit(11, 3);
  else
    return kNoValue;
  return QString::fromUtf8(error ? kSensorError : kNoErrors);
}

}  // namespace

void FillErrorCells(const CurrentContext& c, CurrentDisplay& display) {
  const int code = c.type.Code;
  for (int k = 1; k <= kMaxChannels; ++k) {
    const QString cell = QStringLiteral("stErrors%1").arg(k);
    display.SetVisible(cell, ChannelHasTemperature(k, c.FamilyMask()) || c.typeByte10 ||
                                 code == 7 || (k == 3 && code == 8));
    if (!ChannelHasTemperature(k, c.SchemeMask())) {
      display.SetText(cell, NoTemperatureText(c, k));
      continue;
    }
    Accumulator acc(c.block);
    if (c.L1())
      L1Errors(c, acc, k);
    else
      OtherErrors(c, acc, k);
    display.SetText(cell, acc.Text());
  }
}

QString StatusText(const CurrentContext& c) {
  Accumulator acc(c.block);
  const QString lowBattery = QStringLiteral("Low bat");
  if (c.L1()) {
    acc.AddIfBit(23, 7, QStringLiteral("Сброс системы"));
    acc.AddIfBit(23, 6, QStringLiteral("Проп. питания"));
    acc.AddIfBit(23, 5, lowBattery);
  } else if (c.type.Code == 8) {
    acc.AddIfBit(11, 5, lowBattery);
  } else {
    acc.AddIfBit(ErrorByte(c, 2), 0, lowBattery);
  }
  return acc.Text();
}

}  // namespace vrx
