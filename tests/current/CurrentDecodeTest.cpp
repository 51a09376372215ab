// Hand-built blocks of every family decode to the text of every control the tab shows; a control
// not listed must be hidden.

#include <gtest/gtest.h>

#include <map>

#include "current/CurrentDecoder.h"
#include "current/CurrentTestSupport.h"

namespace vrx {
namespace {

using test::HandBlock;
using test::Lines;

using Expected = std::map<QString, QString>;

struct DecodeCase {
  const char* label;
  uint8_t typeByte;
  std::vector<uint8_t> block;
  Expected shown;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
  *os << c.label;
}

const QString kNone = QStringLiteral("----");
const QString kNoErrors = QStringLiteral("Нет ошибок");
const QString kInvalid = QStringLiteral("Недоп. зн.");

// VRX-L1-2.1, scheme 17: heat meter 1 over channels 1 and 2, channel 3 unused, the optional
// channel 4 switched on; gigacalories, channel 4 with the coarse pulse-value table.
DecodeCase L1Case() {
  HandBlock b(81);
  b.At(1, {150, 0x12, 6, 3, 5, 2})         // cold water 15,0 and code 2 with bit 4; pressures
      .At(7, {0x89})                       // pulse codes 1, 2, 0, 2
      .At(8, {0x04, 0xD2, 5, 0x90, 0xA0})  // serial 1234 (high first), address, scheme 16, flags
      .At(13, {0x21, 0x15, 0xD0, 0x07, 0, 0, 0xE0, 0x2E})  // codes 5409, 2000, -, 12000
      .At(23, {0xA0, 0x8A, 0x00, 0x02, 0x35})              // status, E1..E4
      .Bcd(28, "0012345")
      .Bcd(32, "0000005")
      .Bcd(40, "9999959")
      .Bcd(44, "00001234567890")
      .Bcd(58, "00012345678")
      .Bcd(64, "00000987654")
      .Bcd(76, "12345678901");
  return {
      "VRX_L1",
      1,
      b.Sealed(),
      {{"stVRXType", "VRX-L1-2.1"},
       {"stScheme", "17"},
       {"stNumber", "01234"},
       {"stAddr", "5"},
       {"stStatus", Lines({"Сброс системы", "Low bat"})},
       {"stW100", "1,391"},
       {"stOutType", "нет"},
       {"lbQ", "Q, ГКал"},
       {"lbChannel3", "Канал 3"},
       {"lbChannel4", "Канал 4"},
       {"stRTC", "25.03.04 13:33"},
       {"stIniRTC", "15.03.24 14:30"},
       {"stTCW", "15,0"},
       {"stPCW", "3"},
       {"stQ1", "1234,567890"},
       {"stQ3", kNone},
       {"stG1", "123,45678"},
       {"stG2", "98,7654"},
       {"stG3", kNone},
       {"stG4", "1234567,8901"},
       {"sttp1", "123:45"},
       {"sttp2", "0:05"},
       {"sttp3", kNone},
       {"sttp4", "99999:59"},
       {"stP1", "6"},
       {"stP2", "3"},
       {"stP3", kNone},
       {"stP4", "2"},
       {"stT1", "70,0375"},
       {"stT2", "27,6375"},
       {"stT3", kNone},
       {"stT4", "ошибка АЦП"},
       {"stErrors1", Lines({"КЗ линии ПР", "t1-t2 < 0°C"})},
       {"stErrors2", Lines({"t1-t2 < 0°C"})},
       {"stErrors3", kNone},
       {"stErrors4", Lines({"t4 < 3°C", "t4 > 150°C", "t3-t4 < 3°C", "Q4 < 0", "t4-tхв < 0°C"})},
       {"stTicks1", "0,01"},
       {"stTicks2", "0,1"},
       {"stTicks3", kNone},
       {"stTicks4", "1"}}};
}

// VRX-L2-1.1, scheme 6: heat meter 1 over channels 1 and 2 with different diameter ranges, the
// optional channel 3 switched off; the power's comma bit set.
DecodeCase L2Case() {
  HandBlock b(57);
  b.At(1, {0x40, 0xE2, 0x81})     // power 123456, comma two places right
      .At(4, {0x98, 0x3A, 0x00})  // flow 15000
      .At(7, {0x87, 0xD6, 0x12})  // flow 1234567
      .At(10, {0xAA, 0x55})       // E1, E2
      .At(12, {0x05, 0x0A, 0x00, 0x02, 5})
      .Bcd(17, "0001000")
      .Bcd(21, "00000123456789")
      .Bcd(28, "00000054321")
      .Bcd(34, "00001234567")
      .At(46, {35, 60, 0xA0, 0x4F, 0x81, 0x0C})
      .At(52, {62, 0x39, 0x30, 42, 95, 0xE7});
  return {"VRX_L2",
          8,
          b.Sealed(),
          {{"stVRXType", "VRX-L2-1.1"},
           {"stScheme", "6"},
           {"stNumber", "12345"},
           {"stAddr", "62"},
           {"stStatus", Lines({"Low bat"})},
           {"stW100", "1,385"},
           {"stOutType", "0..5мА"},
           {"lbQ", "Q, ГДж"},
           {"lbW", "W, ГДж/ч"},
           {"lbDu", "Ду:"},
           {"lbgt", "g, т/ч:"},
           {"lbChannel3", "Канал 3"},
           {"stRTC", "25.03.04 13:33"},
           {"stIniRTC", "15.03.24 14:30"},
           {"stTCW", "9,5"},
           {"stPCW", "4,2"},
           {"stQ1", "12,345678"},
           {"stW1", "123,456"},
           {"stG1", "0,54321"},
           {"stG2", "123,4567"},
           {"stG3", kNone},
           {"stgt1", "15,000"},
           {"stgt2", "12345,67"},
           {"sttp1", "10:00"},
           {"stP1", "3,5"},
           {"stP2", "6,0"},
           {"stT1", "50,00"},
           {"stT2", "40,00"},
           {"stErrors1", Lines({"Ошибка ПР", "t1-t2 < 0°C", "t1-t2 < 3°C", "W1 < 0"})},
           {"stErrors2", Lines({"t вне диапазона", "t1-t2 < 0°C", "t1-t2 < 3°C", "t2-tхв < 0°C"})},
           {"stDu1", "50...100"},
           {"stDu2", "125...300"},
           {"stDu3", kNone},
           {"stTicks1", "0,01"},
           {"stTicks2", "0,5"},
           {"stTicks3", kNone}}};
}

// VRX-L5-1.0 with version byte A3 (Pmax format), scheme 25: temperature differences against
// channel 2, no cold water, heat meter 1 over channels 1 and 3, the optional channel 5 on.
DecodeCase L5Case() {
  HandBlock b(99);
  b.At(1, {0x31, 0xD4, 0x00})                                   // power 54321
      .At(7, {0x34, 0x12, 0xFF, 0x0F, 0x01, 0xF0, 0, 0, 0, 0})  // flow words
      .At(17, {0xB3, 0xF0})                                     // pressure range nibbles
      .At(19, {0x2E, 0x10, 0xA0, 0x00})                         // E1..E4
      .At(23, {0x01, 0x06, 0x0B, 0x0F, 0x02, 0x04, 24})         // codes, flags, scheme 24
      .Bcd(30, "0000130")
      .Bcd(38, "00000123456789")
      .Bcd(52, "12345678901")
      .Bcd(64, "00000123456")
      .Bcd(76, "00000050000")
      .At(81, {0x10})  // "Ошибка P" of channel 1 above the last volume digit
      .At(82, {16, 0, 255, 0})
      .At(86, {0xA0, 0x0F, 0x80, 0x0C, 0x01, 0x00})
      .At(94, {1, 0xD2, 0x04, 0, 0, 0xA3});
  return {
      "VRX_L5",
      9,
      b.Sealed(),
      {{"stVRXType", "VRX-L5-1.0"},
       {"stScheme", "25"},
       {"stNumber", "01234"},
       {"stAddr", "1"},
       {"stStatus", kNoErrors},
       {"stW100", "1,391"},
       {"stOutType", "нет"},
       {"lbQ", "Q, ГКал"},
       {"lbW", "W, ГКал/ч"},
       {"lbDu", "Ду:"},
       {"lbgt", "g, т/ч:"},
       {"lbChannel3", "Канал 3"},
       {"lbChannel4", "Канал 4"},
       {"lbChannel5", "Канал 5"},
       {"stRTC", "25.03.04 13:33"},
       {"stIniRTC", "15.03.24 14:30"},
       {"stQ1", "1,2345678"},
       {"stW1", "0,054321"},
       {"stQ3", kNone},
       {"stW3", kNone},
       {"stG1", "12345,678901"},
       {"stG2", "0,00000"},
       {"stG3", "12,3456"},
       {"stG4", kNone},
       {"stG5", "0,050000"},
       {"stgt1", "0,1128"},
       {"stgt2", "4,095"},
       {"stgt3", "327,68"},
       {"stgt4", kNone},
       {"stgt5", "0,0000"},
       {"sttp1", "1:30"},
       {"sttp3", kNone},
       {"stP1", "1,63"},
       {"stP2", "0,0B"},
       {"stP3", "25,50"},
       {"stP4", kNone},
       {"stT1", "50,00"},
       {"stT2", "40,00"},
       {"stT3", "0,00"},
       {"stT4", kNone},
       {"stErrors1", Lines({"t1-t2 < 0°C", "t1-t2 < 3°C", "g1-g2 < 0", "g < gпор", "Ошибка P"})},
       {"stErrors2", Lines({"dt12 < 0°C", "dt12 < 3°C", "dt23 < 0°C", "t2-tхв < 0°C"})},
       {"stErrors3", Lines({"Ошибка ПР", "t2-t3 < 0°C"})},
       {"stErrors4", kNone},
       {"stDu1", "15...40"},
       {"stDu2", "50...100"},
       {"stDu3", "125...300"},
       {"stDu4", kNone},
       {"stDu5", "15...40"},
       {"stTicks1", "0,001"},
       {"stTicks2", "0,05"},
       {"stTicks3", "1"},
       {"stTicks4", kNone},
       {"stTicks5", "0,005"}}};
}

// VRX-L12-2.1, scheme 1: no cold water, the optional channel 3 on; the family's fixed bytes
// 11, 12 and 13 carry the sensor, flow and pressure bits.
DecodeCase L12Case() {
  HandBlock b(67);
  b.At(4, {0x00, 0x21, 0, 0, 0x64, 0x00})  // flow words 0x2100, -, 100
      .At(10, {0x21, 0xA8, 0xBC, 0x29})    // range nibbles, byte 11, E1 (12), E2 (13)
      .At(14, {0x09, 0x05, 0x07, 0x00, 0})
      .Bcd(21, "0100000")
      .Bcd(25, "0002359")
      .Bcd(29, "01234567890123")
      .Bcd(48, "99999999999")
      .At(54, {60, 5, 0xA0, 0x4F, 0x80, 0xCC})
      .At(60, {7, 0x10, 0x27})
      .At(67, {0xFD});
  return {"VRX_L12",
          12,
          b.Sealed(),
          {{"stVRXType", "VRX-L12-2.1"},
           {"stScheme", "1"},
           {"stNumber", "10000"},
           {"stAddr", "7"},
           {"stStatus", Lines({"Low bat"})},
           {"stW100", "1,391"},
           {"stOutType", "0..5мА"},
           {"lbQ", "Q, ГДж"},
           {"lbW", "W, ГДж/ч"},
           {"lbDu", "Ду:"},
           {"lbgt", "g, т/ч:"},
           {"lbPmax", "Pmax, кгс/см2:"},
           {"lbChannel3", "Канал 3"},
           {"stRTC", "25.03.04 13:33"},
           {"stIniRTC", "15.03.24 14:30"},
           {"stQ1", "1234567,890123"},
           {"stW1", "0,0000"},
           {"stG1", "0,0000"},
           {"stG2", kNone},
           {"stG3", "999999,99999"},
           {"stgt1", "10,24"},
           {"stgt2", kNone},
           {"stgt3", "0,100"},
           {"sttp1", "1000:00"},
           {"sttp3", "23:59"},
           {"stP1", "6,01"},
           {"stP2", "0,52"},
           {"stT1", "50,00"},
           {"stT2", "40,00"},
           {"stErrors1",
            Lines({"Ошибка ПР", "t1-t2 < 0°C", "t1-t2 < 3°C", "t1-tхв < 0°C", "1,04g1 > g2 > g1",
                   "g1 > 1,04g2", "g < gпор", "g < gмин", "Ошибка P"})},
           {"stErrors2", Lines({"t1-t2 < 0°C", "t1-t2 < 3°C", "1,04g1 > g2 > g1", "g1 > 1,04g2"})},
           {"stErrors3", "Ошибка ПР"},
           {"stDu1", "125...300"},
           {"stDu2", kNone},
           {"stDu3", "50...100"},
           {"stTicks1", "0,1"},
           {"stTicks2", kNone},
           {"stTicks3", "0,1"},
           {"stP1max", "10"},
           {"stP2max", "25"}}};
}

// VRX-L13-2.2, scheme 29: both heat meters (the second over channels 1 and 2 of different
// ranges), the optional channel 5 off, every flow-ratio text of channels 3 and 4.
DecodeCase L13Case() {
  HandBlock b(112);
  b.At(1, {0x0F, 0x00, 0x80, 0x87, 0xD6, 0x12})  // power 15 with the comma bit; 1234567
      .At(7, {0x0A, 0x00, 0x00, 0x00, 0x01, 0x10, 0x00, 0x01, 0x05, 0x00})
      .At(17, {0x10, 0xDC})
      .At(19, {0x41, 0x04, 0x22, 0x00, 0x11, 0x32})  // E1..E5, flow-ratio byte
      .At(25, {0x04, 0x0D, 0x0A, 0x03, 0x00, 0x06, 28})
      .Bcd(35, "0000001")
      .Bcd(39, "0010000")
      .Bcd(43, "00000000000001")
      .Bcd(50, "98765432109876")
      .Bcd(57, "00000000123")
      .Bcd(63, "00000000456")
      .Bcd(69, "00000007890")
      .Bcd(75, "10000000000")
      .At(87, {10, 20, 30, 40})
      .At(91, {0x00, 0x00, 0xFF, 0xBF, 0xA0, 0x4F, 0x01, 0xC0})
      .At(99, {1, 0xFF, 0xFF})
      .At(106, {3, 155, 0xFE});
  return {"VRX_L13",
          11,
          b.Sealed(),
          {{"stVRXType", "VRX-L13-2.2"},
           {"stScheme", "29"},
           {"stNumber", "65535"},
           {"stAddr", "1"},
           {"stStatus", kNoErrors},
           {"stW100", "1,385"},
           {"stOutType", "4..20мА"},
           {"lbQ", "Q, ГКал"},
           {"lbW", "W, ГКал/ч"},
           {"lbDu", "Ду:"},
           {"lbgt", "g, т/ч:"},
           {"lbPmax", "Pmax, кгс/см2:"},
           {"lbChannel3", "Канал 3"},
           {"lbChannel4", "Канал 4"},
           {"lbChannel5", "Канал 5"},
           {"stRTC", "25.03.04 13:33"},
           {"stIniRTC", "15.03.24 14:30"},
           {"stTCW", "15,5"},
           {"stPCW", "0,3"},
           {"stQ1", "0,000001"},
           {"stW1", "0,15"},
           {"stQ3", "9876543,210987"},
           {"stW3", "12,34567"},
           {"stG1", "0,00123"},
           {"stG2", "0,456"},
           {"stG3", "0,7890"},
           {"stG4", "10000,000000"},
           {"stG5", kNone},
           {"stgt1", "0,010"},
           {"stgt2", "0,0"},
           {"stgt3", "0,02"},
           {"stgt4", "0,0256"},
           {"stgt5", "0,0005"},
           {"sttp1", "0:01"},
           {"sttp3", "100:00"},
           {"sttp5", kNone},
           {"stP1", "1,00"},
           {"stP2", "2,01"},
           {"stP3", "3,0C"},
           {"stP4", "4,0D"},
           {"stT1", "0,00"},
           {"stT2", "204,75"},
           {"stT3", "50,00"},
           {"stT4", "0,00"},
           {"stErrors1", Lines({"t вне диапазона", "g2 > 1,04g1", "g < gмин", "Ошибка P"})},
           {"stErrors2", Lines({"g2 > 1,04g1", "g < gпор"})},
           {"stErrors3", Lines({"t3-t4 < 0°C", "t3-t4 < 3°C", "1,04g3 > g4 > g3", "g4 > 1,04g3"})},
           {"stErrors4", Lines({"t3-t4 < 0°C", "t3-t4 < 3°C", "1,04g3 > g4 > g3", "g4 > 1,04g3"})},
           {"stErrors5", "Ошибка ПР"},
           {"stDu1", "50...100"},
           {"stDu2", kInvalid},
           {"stDu3", "125...300"},
           {"stDu4", "15...40"},
           {"stDu5", kNone},
           {"stTicks1", kInvalid},
           {"stTicks2", kInvalid},
           {"stTicks3", "0,5"},
           {"stTicks4", "0,01"},
           {"stTicks5", kNone},
           {"stP1max", "16"},
           {"stP2max", "6"},
           {"stP3max", "10"},
           {"stP4max", "25"}}};
}

// Type byte 10: a VRX-L3 of family code 5 whose block is four bytes longer, with channel 5's
// operating time and error cell.
DecodeCase Type10Case() {
  HandBlock b(103);
  b.At(1, {100})
      .At(23, {0x05, 0x05, 0x05, 0x05, 0x01, 0x00, 6})
      .Bcd(38, "00000000000000")
      .Bcd(45, "00000000100000")
      .Bcd(52, "00001000000")
      .At(99, {0xF9})
      .Bcd(100, "0000042");
  return {"type_byte_10",
          10,
          b.Sealed(),
          {{"stVRXType", "VRX-L3-1.1"},
           {"stScheme", "7"},
           {"stNumber", "00000"},
           {"stAddr", "0"},
           {"stStatus", kNoErrors},
           {"stW100", "1,391"},
           {"stOutType", "0..5мА"},
           {"lbQ", "Q, ГДж"},
           {"lbW", "W, ГДж/ч"},
           {"lbDu", "Ду:"},
           {"lbgt", "g, т/ч:"},
           {"lbChannel3", "Канал 3"},
           {"lbChannel4", "Канал 4"},
           {"lbChannel5", "Канал 5"},
           {"stRTC", "25.03.04 13:33"},
           {"stIniRTC", "15.03.24 14:30"},
           {"stTCW", "0,0"},
           {"stPCW", "0,0"},
           {"stQ1", "0,0000000"},
           {"stW1", "0,00100"},
           {"stQ3", "0,0100000"},
           {"stW3", "0,00000"},
           {"stG1", "10,00000"},
           {"stG2", "0,00000"},
           {"stG3", "0,00000"},
           {"stG4", kNone},
           {"stG5", "0,000000"},
           {"stgt1", "0,000"},
           {"stgt2", "0,000"},
           {"stgt3", "0,000"},
           {"stgt4", kNone},
           {"sttp1", "0:00"},
           {"sttp3", "0:00"},
           {"sttp5", "0:42"},
           {"stP1", "0,0"},
           {"stP2", "0,0"},
           {"stP3", "0,0"},
           {"stP4", kNone},
           {"stT1", "0,00"},
           {"stT2", "0,00"},
           {"stT3", "0,00"},
           {"stT4", kNone},
           {"stErrors1", kNoErrors},
           {"stErrors2", kNoErrors},
           {"stErrors3", kNoErrors},
           {"stErrors4", kNone},
           {"stErrors5", kNoErrors},
           {"stDu1", "50...100"},
           {"stDu2", "50...100"},
           {"stDu3", "50...100"},
           {"stDu4", kNone},
           {"stDu5", "15...40"},
           {"stTicks1", "0,01"},
           {"stTicks2", "0,01"},
           {"stTicks3", "0,01"},
           {"stTicks4", kNone},
           {"stTicks5", "0,001"}}};
}

class CurrentDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(CurrentDecode, ShowsEveryCellOfTheBlock) {
  const DecodeCase& c = GetParam();
  const CurrentDisplay display = test::Decode(c.typeByte, c.block);
  EXPECT_TRUE(display.valuePanelVisible);
  // Every cell the case lists is a control of the tab, shown with its text...
  for (const auto& [name, text] : c.shown) {
    ASSERT_TRUE(CurrentDisplay::Names().contains(name)) << name.toStdString() << " is no control";
    EXPECT_TRUE(display.Shown(name)) << name.toStdString() << " is hidden";
    EXPECT_EQ(display[name].text, text) << name.toStdString();
  }
  // ...and every other control that a readout may show is hidden.
  for (const QString& name : test::VariableControls()) {
    if (!c.shown.contains(name)) {
      EXPECT_FALSE(display.Shown(name))
          << name.toStdString() << " shows \"" << display[name].text.toStdString() << '"';
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Families, CurrentDecode,
                         testing::Values(L1Case(), L2Case(), L5Case(), L12Case(), L13Case(),
                                         Type10Case()),
                         [](const auto& info) { return std::string(info.param.label); });

// The texts the family cases above do not reach, each from one of their blocks with a few bytes
// changed.
struct TextCase {
  const char* label;
  uint8_t typeByte;
  std::vector<uint8_t> block;
  const char* cell;
  QString text;
};

TEST(CurrentDecode, RemainingErrorAndStatusTexts) {
  const TextCase cases[] = {
      {"L1 line break", 1, test::Patched(L1Case().block, {{24, 0x40}}), "stErrors1",
       Lines({"Обрыв линии ПР"})},
      {"L1 supply gap", 1, test::Patched(L1Case().block, {{23, 0x40}}), "stStatus",
       Lines({"Проп. питания"})},
      // Scheme 30 takes channel 2 as the reference: channel 2 lists its differences to 1 and
      // 3, the "3°C" bit only where the "0°C" bit is clear.
      {"L1 reference channel", 1,
       test::Patched(L1Case().block, {{11, 29}, {24, 0x08}, {25, 0x00}, {26, 0x02}}), "stErrors2",
       Lines({"dt12 < 0°C", "dt23 < 3°C"})},
      {"L5 flow difference 3-4", 9, test::Patched(L5Case().block, {{21, 0x08}}), "stErrors3",
       Lines({"g3-g4 < 0"})},
      {"L13 ratio of channel 2", 11,
       test::Patched(L13Case().block, {{19, 0x00}, {23, 0x00}, {24, 0x04}}), "stErrors1",
       Lines({"1,04g2 > g1 > g2"})},
  };
  for (const TextCase& c : cases) {
    const CurrentDisplay display = test::Decode(c.typeByte, c.block);
    EXPECT_EQ(display[QString::fromLatin1(c.cell)].text, c.text) << c.label;
  }
}

}  // namespace
}  // namespace vrx
