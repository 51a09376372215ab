// The RTC autocorrection and pulse-value correction dialogs without their widgets: the byte
// encodings as tables, and each behaviour once against an emulated instrument.
#include <gtest/gtest.h>

#include "service/RtcAutocorrection.h"
#include "service/ServiceBench.h"
#include "service/TicksCorrection.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using test::ErrorOf;
using test::ServiceBench;

const char* const kWrongType = "Неверно задан тип прибора.";
const char* const kNoTicks = "Прибор не поддерживает коррекцию цены имульса.";

ConnectionState StateOf(int familyIndex, bool lowTypeCode) {
  ConnectionState state;
  state.Family = &FamilyAt(familyIndex);
  state.LowTypeCode = lowTypeCode;
  return state;
}

TEST(RtcCorrectionCodes, EncodeAndDecodePerFamily) {
  const RtcRange older = RtcRangeOf(StateOf(1, true));
  const RtcRange newer = RtcRangeOf(StateOf(3, false));
  const RtcRange others = RtcRangeOf(StateOf(5, false));
  EXPECT_EQ(std::make_pair(older.Minimum(), older.Maximum()), std::make_pair(-9, 9));
  EXPECT_EQ(std::make_pair(newer.Minimum(), newer.Maximum()), std::make_pair(-25, 25));
  EXPECT_EQ(std::make_pair(others.Minimum(), others.Maximum()), std::make_pair(-21, 19));
  EXPECT_EQ(others.zeroLabelX, 194);
  EXPECT_EQ(older.zeroLabelX, 185);

  const struct {
    const RtcRange& range;
    int position;
    uint8_t byte;
  } pairs[] = {{others, 0, 0x01},  {others, -1, 0x40}, {others, -21, 0x60}, {others, 19, 0x20},
               {others, 5, 0x06},  {older, -5, 0x15},  {older, 9, 0x09},    {older, -9, 0x19},
               {newer, -25, 0x65}, {newer, 25, 0x25},  {newer, -10, 0x50}};
  for (const auto& p : pairs) {
    SCOPED_TRACE(p.position);
    EXPECT_EQ(EncodeRtcCorrection(p.range, p.position), p.byte);
    EXPECT_EQ(DecodeRtcCorrection(p.range, p.byte), p.position);
  }
  // Beyond the range, or no BCD number: the slider cannot show it.
  for (uint8_t byte : {0x25, 0x21, 0x0A, 0x4B})
    EXPECT_EQ(DecodeRtcCorrection(others, byte), std::nullopt) << int(byte);
}

TEST(TicksCorrectionCodes, EncodeDecodeAndText) {
  const TicksRange l1 = TicksRangeOf(FamilyAt(3));
  const TicksRange l3 = TicksRangeOf(FamilyAt(6));
  const struct {
    const TicksRange& range;
    int position;
    uint8_t byte;
    const char* text;
  } pairs[] = {{l1, -3, 0x13, "-0,3%"},  {l1, -15, 0x1F, "-1,5%"}, {l1, 15, 0x0F, "+1,5%"},
               {l3, -23, 0x97, "-2,3%"}, {l3, 23, 0x17, "+2,3%"},  {l3, 0, 0x00, "0,0%"}};
  for (const auto& p : pairs) {
    SCOPED_TRACE(p.text);
    EXPECT_EQ(EncodeTicksCorrection(p.range, p.position), p.byte);
    EXPECT_EQ(DecodeTicksCorrection(p.range, p.byte), p.position);
    EXPECT_EQ(TicksCorrectionText(p.position), QString::fromUtf8(p.text));
  }
}

TEST(RtcAutocorrection, ReadsTheCorrectionByte) {
  const struct {
    const char* type;
    std::optional<uint8_t> typeByte;
    int position;  // of the byte in the image
    const char* byte;
    int slider;
    const char* text;
  } cases[] = {{"VRX-L2-2.2", {}, 49, "01", 0, "0 сек/сутки"},
               {"VRX-L2-2.2", {}, 49, "40", -1, "-1 сек/сутки"},
               {"VRX-L2-2.2", {}, 49, "60", -21, "-21 сек/сутки"},
               {"VRX-L2-2.2", {}, 49, "25", 0, "25h"},
               {"VRX-L1-1.1", {}, 91, "15", -5, "-5 сек/сутки"},
               {"VRX-L1-1.1", 4, 91, "25", 25, "25 сек/сутки"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + c.byte);
    sim::HeatCalculatorConfig config;
    config.typeByte = c.typeByte;
    ServiceBench bench(c.type, config);
    bench.Patch(c.position, c.byte);
    RtcAutocorrection dialog(bench.Link());
    dialog.FormShow();
    dialog.bnReadClick();
    EXPECT_EQ(dialog.position, c.slider);
    EXPECT_EQ(dialog.l1, QString::fromUtf8(c.text));
  }
}

TEST(RtcAutocorrection, ShowsTheRangeOfTheConnectedKind) {
  ServiceBench bench("VRX-L1-2.1");
  RtcAutocorrection dialog(bench.Link());
  dialog.FormShow();
  EXPECT_EQ(dialog.stDeviceType, "VRX-L1");
  EXPECT_EQ(std::make_tuple(dialog.Label2, dialog.Label3, dialog.minimum, dialog.maximum),
            std::make_tuple(QString("-9"), QString("+9"), -9, 9));
  // A byte with a nibble above 9 cannot even be shown as hex digits.
  bench.Patch(91, "1A");
  EXPECT_EQ(ErrorOf([&] { dialog.bnReadClick(); }), "Bad digit");
}

// The written image of a VRX-L1: the correction byte and the time stamp, nothing else.
TEST(RtcAutocorrection, WritesTheByteAndStampsAVrxL1) {
  ServiceBench bench("VRX-L1-1.1");
  RtcAutocorrection dialog(bench.Link());
  dialog.FormShow();
  dialog.TrackBar1Change(9);
  const std::string expected = bench.Expected({{12, "59 23 31 12 24"}, {91, "09"}});
  dialog.bnWriteClick(bench.Write());
  EXPECT_EQ(bench.ImageHex(), expected);
  EXPECT_EQ(bench.messages.Texts(), QStringList{"Автокоррекция RTC установлена."});
  EXPECT_EQ(bench.Device().Writes().back().command, 18);
}

// Other models are written without a stamp; the written byte is checked like every image.
TEST(RtcAutocorrection, WritesAVrxL13WithoutStampAndChecksTheImage) {
  ServiceBench bench("VRX-L13-2.2");
  bench.Patch(81, "00");  // no valid season months: the check after the write warns
  RtcAutocorrection dialog(bench.Link());
  dialog.FormShow();
  dialog.TrackBar1Change(-21);
  const std::string expected = bench.Expected({{80, "60"}});
  dialog.bnWriteClick(bench.Write(true));
  EXPECT_EQ(bench.ImageHex(), expected);
  EXPECT_EQ(bench.confirmation.asked, 0);
  EXPECT_EQ(bench.Device().ArchiveErasures(), 1);
  ASSERT_EQ(bench.messages.Texts().size(), 2);
  EXPECT_EQ(bench.messages.Texts()[1],
            "Неправильный месяц перехода на летнюю температуру.\r\n"
            "Неправильный месяц перехода на зимнюю температуру.\r\n"
            "Прибор не будет работать.");
}

TEST(RtcAutocorrection, RefusesAnotherKindOrAnUnpreparedDialogAndARefusedClock) {
  {
    ServiceBench bench("VRX-L3-1.0");
    RtcAutocorrection dialog(bench.Link());
    EXPECT_EQ(ErrorOf([&] { dialog.bnWriteClick(bench.Write()); }), kWrongType);
    dialog.FormShow();
    bench.Replace("VRX-L1-2.1");
    EXPECT_EQ(ErrorOf([&] { dialog.bnWriteClick(bench.Write()); }), kWrongType);
    EXPECT_FALSE(bench.Wrote());
  }
  ServiceBench bench("VRX-L1-2.1");
  bench.confirmation.script = {false};
  RtcAutocorrection dialog(bench.Link());
  dialog.FormShow();
  EXPECT_THROW(dialog.bnWriteClick(bench.Write()), EAbort);
  EXPECT_FALSE(bench.Wrote());
}

TEST(TicksCorrection, ReadsAndWritesTheVisibleChannels) {
  const struct {
    const char* type;
    int first;                   // position of channel 1's byte
    const char* bytes;           // the four bytes the instrument holds
    std::array<int, 4> sliders;  // set before writing
    const char* written;         // the four bytes after the write
    std::array<const char*, 4> texts;
    int third;  // channel 3's slider after reading
  } cases[] = {
      {"VRX-L1-2.1",
       1,
       "13 00 0F 1F",
       {-15, 0, 15, 1},
       "1F 00 0F 01",
       {"-0,3%", "0,0%", "+1,5%", "-1,5%"},
       15},
      {"VRX-L3-1.0",
       87,
       "97 17 1F 00",
       {23, -23, 0, 0},
       "17 97 00 00",
       {"-2,3%", "+2,3%", "+3,1%", "0,0%"},
       23},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    ServiceBench bench(c.type);
    bench.Patch(c.first, c.bytes);
    TicksCorrection dialog(bench.Link());
    dialog.FormShow();
    EXPECT_EQ(dialog.plDeviceType, c.type);
    dialog.bnReadClick();
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(dialog.text[i], QString::fromUtf8(c.texts[i])) << i;
    // The slider stops at its end while the text says what the instrument holds.
    EXPECT_EQ(dialog.position[2], c.third);
    for (int i = 0; i < 4; ++i)
      dialog.TrackBarChange(i, c.sliders[i]);
    const bool l1 = QString(c.type).startsWith("VRX-L1");
    const std::string expected = l1 ? bench.Expected({{12, "59 23 31 12 24"}, {c.first, c.written}})
                                    : bench.Expected({{c.first, c.written}});
    dialog.bnWriteClick(bench.Write());
    EXPECT_EQ(bench.ImageHex(), expected);
    EXPECT_EQ(bench.messages.Texts().front(), "Коррекции цен импульса установлены.");
  }
}

// A VRX-L2 has no third and fourth correction: the bytes after channel 2's stay as they were,
// and "Сброс" writes zeros for the two visible channels.
TEST(TicksCorrection, ResetWritesZerosForTheTwoChannelsOfAVrxL2) {
  ServiceBench bench("VRX-L2-2.2");
  bench.Patch(56, "05 83");
  TicksCorrection dialog(bench.Link());
  dialog.FormShow();
  EXPECT_EQ(dialog.groupVisible, (std::array<bool, 4>{true, true, false, false}));
  dialog.bnReadClick();
  EXPECT_EQ(dialog.position, (std::array<int, 4>{5, -3, 0, 0}));
  dialog.bnResetClick();
  const std::string expected = bench.Expected({{56, "00 00"}});
  dialog.bnWriteClick(bench.Write());
  EXPECT_EQ(bench.ImageHex(), expected);
}

TEST(TicksCorrection, RefusesUnsupportedInstrumentsAndAnotherModel) {
  ServiceBench l13("VRX-L13-2.2");
  TicksCorrection dialog(l13.Link());
  dialog.FormShow();
  EXPECT_EQ(ErrorOf([&] { dialog.bnReadClick(); }), kNoTicks);
  EXPECT_EQ(ErrorOf([&] { dialog.bnWriteClick(l13.Write()); }), kNoTicks);

  sim::HeatCalculatorConfig type10;
  type10.typeByte = 10;
  ServiceBench l3("VRX-L3-1.0", type10);
  TicksCorrection disabled(l3.Link());
  disabled.FormShow();
  EXPECT_FALSE(disabled.buttonsEnabled);
  EXPECT_EQ(ErrorOf([&] { disabled.bnReadClick(); }), kNoTicks);

  ServiceBench l2("VRX-L2-2.2");
  TicksCorrection other(l2.Link());
  other.FormShow();
  l2.Replace("VRX-L2-1.0");
  EXPECT_EQ(ErrorOf([&] { other.bnWriteClick(l2.Write()); }), kWrongType);
  EXPECT_FALSE(l13.Wrote() || l3.Wrote() || l2.Wrote());
}

}  // namespace
}  // namespace vrx
