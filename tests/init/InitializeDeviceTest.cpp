#include "init/InitializeDevice.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>
#include <memory>

#include "init/ReadIniParams.h"
#include "init/WorkspaceForm.h"
#include "model/EValidation.h"
#include "model/Errors.h"
#include "support/EmulatedLink.h"
#include "support/QtPrinters.h"
#include "support/ScriptedConfirmation.h"
#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

using F = ChannelField;
using C = CircuitColumn;
using sim::ByteProtocolInstrument;
using test::Hex;

constexpr int kRow3 = 2, kRow4 = 3, kRowA = 4, kRowC = 5, kRowF = 7, kRowJ = 8;

using test::ScriptedConfirmation;

// 23:59 on 31.12.2024, seconds dropped by the stamp: 59 23 31 12 24.
QDateTime NewYearsEve() {
  return QDateTime(QDate(2024, 12, 31), QTime(23, 59, 42));
}

// The first tab over an emulated instrument, with everything "Провести инициализацию" needs.
struct Bench {
  std::unique_ptr<test::EmulatedLink> line;
  std::unique_ptr<InitWorkspace> ws;
  RecordingMessages messages;
  ScriptedConfirmation confirmation;
  PcTimeStamp stamp{NewYearsEve};

  explicit Bench(int typeIndex, uint8_t subVersionByte = 0x12) {
    sim::HeatCalculatorConfig config;
    config.typeIndex = typeIndex;
    config.subVersionByte = subVersionByte;
    line = test::EmulatedLink::HeatCalculator(config);
    ws = std::make_unique<InitWorkspace>(line->state);
    ws->Start();
  }

  ByteProtocolInstrument& Device() { return line->Device(); }
  InitTabControls& c() { return ws->Controls(); }
  void Read() { ReadIniParams(*ws, line->link, line->state, line->buffer); }
  void Initialize() {
    InitializeDevice(*ws, line->link, line->state, line->buffer, stamp, confirmation, messages);
  }
  void Enter(int channel, F field, const char* text) {
    ChannelsTable& channels = ws->cdsChannels();
    ASSERT_GE(channels.FindChannel(channel), 0) << "channel " << channel;
    channels.SetText(channels.FindChannel(channel), field, QString::fromUtf8(text));
  }
  void Circuit(int row, C column, const char* text) {
    ASSERT_TRUE(ws->SetCircuitText(row, column, QString::fromUtf8(text))) << text;
  }
  void Select(ListState& list, const char* text) {
    ASSERT_TRUE(list.Select(QString::fromUtf8(text))) << text;
  }
  void Third(bool on) {
    c().cbThirdChannel.checked = on;
    ws->cbThirdChannelClick();
  }
  // Whether any block write or the command to leave initialization mode reached the emulator.
  bool Wrote() const {
    for (uint8_t byte : line->Device().Heard()) {
      if (byte == ByteProtocolInstrument::kWriteAndErase ||
          byte == ByteProtocolInstrument::kWriteKeepArchive)
        return true;
    }
    return false;
  }
};

// The form of the tab without what reading never fills: the archive box, and the cold-water
// edits of a scheme without cold water.
QJsonObject ReadableForm(const InitWorkspace& ws) {
  QJsonObject form = ToForm(ws);
  form.remove("CheckBox1");
  if (!ws.Controls().cwGroup.visible) {
    for (const char* key :
         {"summerTcwEdit", "winterTcwEdit", "tcwPressureEdit", "cbSummerDst", "cbWinterDst"})
      form.remove(key);
  }
  return form;
}

const char* const k99 = "99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 99";
const char* const k00 = "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";

// Images compare as hex texts, which read well in a failure.
std::string HexOf(const std::vector<uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()))
      .toHex(' ')
      .toUpper()
      .toStdString();
}

std::string JsonOf(const QJsonObject& form) {
  return QJsonDocument(form).toJson(QJsonDocument::Indented).toStdString();
}

// An image from rows of hex bytes.
std::vector<uint8_t> Image(std::initializer_list<const char*> rows) {
  QByteArray hex;
  for (const char* row : rows)
    hex += QByteArray(row) + ' ';
  return Hex(hex.constData());
}

struct ModelCase {
  const char* name;
  int typeIndex;
  // What the instrument holds: its default image, with counters to clear, a clock correction
  // and bits that no field of the tab owns, so that keeping them shows.
  std::vector<uint8_t> before;
  std::function<void(Bench&)> edit;
  // Written out from the layout of the model: time stamp, cleared counters, the edited fields,
  // and the rest as before.
  std::vector<uint8_t> written;
  // Where reading the written block shows other texts than the edited tab did.
  std::function<void(QJsonObject&)> rereadDiffers = [](QJsonObject&) {};
};

// Sets the cell of the channel row at `index` in a form.
void SetCell(QJsonObject& form, int index, const char* field, const char* text) {
  QJsonArray rows = form.value("cdsChannels").toArray();
  QJsonObject row = rows.at(index - 1).toObject();
  row.insert(field, QString::fromUtf8(text));
  rows.replace(index - 1, row);
  form.insert("cdsChannels", rows);
}

// Read, edit, initialize: the written block is exactly the expected one, and reading it back
// shows the edited tab again.
TEST(InitializeDevice, WritesTheEditedSettingsOfEachModel) {
  const ModelCase cases[] = {
      {"VRX-L1-2.1: a water meter on channel 4", 3,
       // Counters 1-4, enthalpies 5-8, cold water 9-11, stamp 12-16, pulse codes 17, number
       // 18-19, address 20, scheme 21, pressures 22-25, counters 26-79, options 80,
       // temperature codes 81-88, months 89-90, clock correction 91.
       Image({"01 02 03 04 06 0A 02 09 96 32 12 30 14 15 03 24",  //
              "55 04 D2 01 10 06 03 06 03 99 99 99 99 99 99 99", k99, k99,
              "99 99 99 99 99 99 99 99 99 99 99 99 99 99 99 A0",  //
              "21 15 B9 0B 21 15 B9 0B 04 0A 12"}),
       [](Bench& b) {
         b.c().DevNoEdit.text = "300";
         b.c().DevAddrEdit.text = "";
         b.c().summerTcwEdit.text = "12,5";
         b.c().winterTcwEdit.text = "4";
         b.c().tcwPressureEdit.text = "4";
         b.Select(b.c().cbSummerDst, "Май");
         b.Select(b.c().cbWinterDst, "Сентябрь");
         b.c().cbQWDim.index = 0;
         b.Enter(1, F::PresettingTemperature, "Договорная");
         b.Enter(1, F::TemperaturePreset, "70");
         b.Enter(1, F::PressurePreset, "7");
         b.Enter(2, F::Ticks, "0,1 м3/имп");
       },
       // Enthalpies in GJ: (109700 * 12,5 + 2510 * 4 + 4100) / 256 = 5412 and
       // (110170 * 4 + 2575 * 4 - 200) / 256 = 1761; pressure 4 - 1 with the water-meter bit;
       // pulse codes 1, 2, channel 3's kept, 1; options: channel 1 agreed, channel 4 volume,
       // optional channel on, volume, GJ; thermometer codes 5409 (70 degrees), channel 2's
       // 3001 as it was read (40,05 degrees by the table, which the formula would write as
       // 3005), channel 3's kept, 475 (volume).
       Image({"00 00 00 00 15 24 06 E1 7D 28 13 59 23 31 12 24",  //
              "59 01 2C 00 10 07 03 06 03 00 00 00 00 00 00 00", k00, k00,
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 69",  //
              "21 15 B9 0B 21 15 DB 01 05 09 12"}),
       // The table reads the 5409 that the formula gives for 70 degrees as 70,0375.
       [](QJsonObject& form) { SetCell(form, 1, "TemperaturePreset", "70,04"); }},

      {"VRX-L2-1.2: optional channel off, pulse values compared", 7,
       // Stamp 1-5, counters 6-34, pressures 35-36, temperatures 37-40, address 41, number
       // 42-43, cold water 44-46, thresholds 47-48, clock correction 49, months 50, channel
       // bytes 51-53 (bit 5 of channel 1 set), options 54 (bits 3 and 7 set), scheme 55,
       // counters 56-57.
       Image({"30 14 15 03 24 99 99 99 99 99 99 99 99 99 99 99", k99,
              "99 99 3C 1E E0 15 80 0C 01 D2 04 1E 96 32 09 09",  //
              "12 A4 31 01 81 8C 05 99 99"}),
       [](Bench& b) {
         b.c().DevNoEdit.text = "300";
         b.c().DevAddrEdit.text = "62";
         b.c().tcwPressureEdit.text = "2,5";
         b.Select(b.c().cbSummerDst, "Март");
         b.Select(b.c().cbWinterDst, "Октябрь");
         b.c().cbTermType.index = 1;
         b.c().cbQWDim.index = 0;
         b.Third(false);
         b.Enter(1, F::PresettingTemperature, "Договорная");
         b.Enter(1, F::TemperaturePreset, "75,5");
         b.Enter(1, F::PressurePreset, "1,6");
         b.Enter(1, F::TestOfLine, "Нет");
         b.Enter(1, F::gmin, "0,05");
         b.Enter(2, F::Ticks, "0,005 м3/имп");
       },
       // Pressures 1,6 and 3,0; 75,5 * 80 = 6040; threshold codes 5 (0,225 / 5 = 0,045) and 45
       // (0,025 re-snapped for 5 litres); months 3 and 10; channel 1 below channel 2 clears bit
       // 4 of channel byte 1, line tests off on channel 1 (chosen) and 2 (pulse code 2), the
       // optional channel's pulse code 0; options: agreed, "1,385", GJ.
       Image({"59 23 31 12 24 00 00 00 00 00 00 00 00 00 00 00", k00,
              "00 00 10 1E 98 17 80 0C 3E 2C 01 19 96 32 05 2D",  //
              "12 A3 A1 82 80 8B 05 00 00"})},

      {"VRX-L3-2.0: a scheme without cold water", 14,
       // Stamp 1-5, counters 6-57, pressures 58-61, temperatures 62-69, address 70, number
       // 71-72, thresholds 73-74, cold water 75-77, clock correction 78, months 79, channel
       // bytes 80-84, options 85 (bit 4 set), scheme 86, counters 87-90.
       Image({"30 14 15 03 24 99 99 99 99 99 99 99 99 99 99 99", k99, k99,
              "99 99 99 99 99 99 99 99 99 3C 1E 3C 1E E0 15 80",
              "0C E0 15 80 0C 01 D2 04 99 99 1E 96 32 12 A4 11",  //
              "81 15 81 81 14 06 99 99 99 99"}),
       [](Bench& b) {
         b.Select(b.c().cbCountingScheme, "11");
         b.ws->CountingSchemeChanged();
         b.Enter(1, F::Ticks, "0,01 м3/имп");
         b.Enter(3, F::TestOfLine, "Нет");
         b.Enter(4, F::PressurePreset, "2,5");
       },
       // Scheme 11 (code 10): rows 1 to 5 with their defaults (channels 2 and 4 measure no
       // flow); pressures 5, 5, 5, 2,5; 50 degrees each; threshold nibbles: channel 1 code 2
       // (0,225 re-snapped for 10 litres: 36 / 256), the others 1; no cold water: zeros and
       // months 2 and 9; channel bytes: threshold tests off, line tests off but on channel 1's
       // (pulse code 3) and 3's (chosen) flow... and bit 4 of channels 1 and 3 set.
       Image({"59 23 31 12 24 00 00 00 00 00 00 00 00 00 00 00", k00, k00,
              "00 00 00 00 00 00 00 00 00 32 32 32 19 A0 0F A0",
              "0F A0 0F A0 0F 01 D2 04 12 11 00 00 00 12 92 D3",  //
              "C1 D1 C1 81 14 0A 00 00 00 00"})},

      {"VRX-L5-2.2: the \"F\" variant with the reaction on the heat input", 22,
       // As the VRX-L3, with thresholds 73-76, cold water 77-79, clock correction 80, months
       // 81, channel bytes 82-86, options 87 (bit 3 set), scheme 88, counters 89-92, display
       // digits 93-96 and exponents 97.
       Image({"30 14 15 03 24 99 99 99 99 99 99 99 99 99 99 99", k99, k99,
              "99 99 99 99 99 99 99 99 99 3C 1E 3C 1E E0 15 80",
              "0C E0 15 80 0C 01 D2 04 23 23 23 23 1E 96 32 12",
              "A4 11 81 15 81 81 0C 06 99 99 99 99 10 10 10 10",  //
              "9A"}),
       [](Bench& b) {
         b.Select(b.c().cbCountingScheme, "F15");
         b.ws->CountingSchemeChanged();
         b.c().cbReaction.index = 1;
         b.c().cbUsePresetP.checked = true;
         b.c().DevNoEdit.text = "65535";
         b.Enter(1, F::Dy, "50...100");
         b.Enter(1, F::gmin, "1,0");
       },
       // Scheme 15 (code 14): rows 1, 2, 5 with their defaults; channels 3 and 4 keep their
       // values. Thresholds: count 36 at 10 litres (1,0: digits 10, exponent 1) and the
       // default's count 8 at 1 litre (0,45: digits 45, exponent 2). Channel bytes: group 1 on
       // channel 1 (its pulse value is not below channel 2's), the "F" variant on 2, control
       // g < gпор on (4), the reaction on 5; option bit 5 for the agreed pressure.
       Image({"59 23 31 12 24 00 00 00 00 00 00 00 00 00 00 00", k00, k00,
              "00 00 00 00 00 00 00 00 00 32 32 3C 1E A0 0F A0",
              "0F E0 15 80 0C 01 FF FF 23 07 23 23 1E 96 32 12",
              "A4 55 51 15 81 91 2C 0E 00 00 00 00 10 45 10 10",  //
              "09"})},

      {"VRX-L12-1.1: circuits and the minimum flow", 24,
       // Stamp 1-5, counters 6-38, pressures 39-40, temperatures 41-44, address 45, number
       // 46-47, thresholds 48-49, cold water 50-52, clock correction 53, months 54, channel
       // bytes 55-57, options 58 (bit 3 set), scheme 59, circuit tests 60, circuit bits 61,
       // display digits 62-63 and exponents 64.
       Image({"30 14 15 03 24 99 99 99 99 99 99 99 99 99 99 99", k99,
              "99 99 99 99 99 99 3C 1E E0 15 80 0C 01 D2 04 3F",
              "1F 1E 96 32 12 A4 11 81 41 6C 05 F9 0D 10 10 0A"}),
       [](Bench& b) {
         b.c().cbQWDim.index = 0;
         b.Enter(1, F::gth, "0,033");
         b.Enter(2, F::TestOfLine, "Есть");
         b.Enter(2, F::gmintest, "Нет");
         b.Circuit(kRowA, C::Circuit1R, "Нет реакции");
         b.Circuit(kRowC, C::Circuit1Test, "Нет");
         b.Circuit(kRow3, C::Circuit1R, "Останов счёта контура");
         b.Circuit(kRowJ, C::Circuit1R, "Останов счёта контура");
       },
       // Threshold byte of channel 1: code 31 + 32 * gth 2; channel 2: line test on, threshold
       // test off; channel 3: threshold test off, "J" reaction. Options in GJ. Circuit tests:
       // "A" reaction 0, "C" untested, "E" and "F" not allowed; bits: "1" and "2" not allowed,
       // "3" and "4" reaction 1.
       Image({"59 23 31 12 24 00 00 00 00 00 00 00 00 00 00 00", k00,
              "00 00 00 00 00 00 3C 1E E0 15 80 0C 01 D2 04 5F",
              "1F 1E 96 32 12 A4 11 41 51 68 05 FC 0F 10 10 0A"})},

      {"VRX-L13-2.2: optional channel off, both circuits", 34,
       // As the VRX-L5, with circuit tests 89-90, circuit bits 91, counters 92-95, display
       // digits 96-99 and exponents 100.
       Image({"30 14 15 03 24 99 99 99 99 99 99 99 99 99 99 99", k99, k99,
              "99 99 99 99 99 99 99 99 99 3C 1E 3C 1E E0 15 80",
              "0C E0 15 80 0C 01 D2 04 1F 1F A5 1F 1E 96 32 12",
              "A4 11 81 15 81 51 4C 06 D1 FF F9 99 99 99 99 10",  //
              "10 49 10 AA"}),
       [](Bench& b) {
         b.Third(false);
         b.Enter(1, F::Dy, "50...100");
         b.Enter(1, F::PresettingTemperature, "Договорная");
         b.Enter(1, F::TemperaturePreset, "95");
         b.Enter(1, F::PressurePreset, "2");
         b.Enter(2, F::TestOfLine, "Есть");
         b.Enter(3, F::gth, "0,16");
         b.Circuit(kRowF, C::Circuit1Test, "Есть");
         b.Circuit(kRow4, C::Circuit2R, "Разрешение счёта масс");
         b.Circuit(kRowJ, C::Circuit2R, "Останов счёта контура");
       },
       // Channel 1: 95 * 80 = 7600 at 2,0; group 1 re-snaps 0,10 to the largest count 249
       // (code 0x9B, 0,14). Channel 3: code 0x85 with gth 2. Channel 4 has no row and keeps its
       // values, but loses its exponent with the cleared byte. Channel 5: pulse code 0, "J"
       // reactions of both circuits. Options: agreed, Gcal, bit 6 by the scheme. Circuit 1: "F"
       // tested with reaction 2; circuit bits: "4" of circuit 2 reaction 0.
       Image({"59 23 31 12 24 00 00 00 00 00 00 00 00 00 00 00", k00, k00,
              "00 00 00 00 00 00 00 00 00 14 1E 3C 1E B0 1D 80",
              "0C E0 15 80 0C 01 D2 04 9B 1F C5 1F 1E 96 32 12",
              "A4 15 01 15 81 70 4D 06 91 FF E9 00 00 00 00 14",  //
              "10 49 10 2A"})},
  };
  for (const ModelCase& k : cases) {
    SCOPED_TRACE(k.name);
    Bench b(k.typeIndex);
    b.Device().SetImage(k.before);
    b.Read();
    k.edit(b);
    QJsonObject edited = ReadableForm(*b.ws);
    k.rereadDiffers(edited);
    b.Initialize();

    const std::vector<sim::BlockWrite> writes = b.Device().Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].command, ByteProtocolInstrument::kWriteKeepArchive);
    EXPECT_EQ(HexOf(writes[0].data), HexOf(k.written));
    EXPECT_EQ(HexOf(b.Device().Image()), HexOf(k.written));

    InitWorkspace reread(b.line->state);
    reread.Start();
    ReadIniParams(reread, b.line->link, b.line->state, b.line->buffer);
    EXPECT_EQ(JsonOf(ReadableForm(reread)), JsonOf(edited));
  }
}

// Bytes at 1-based positions of the image the instrument took.
struct Expected {
  int position;
  uint8_t value;
};

struct SchemeCase {
  const char* name;
  int typeIndex;
  std::function<void(Bench&)> edit;
  std::vector<Expected> bytes;
};

// Scheme options the model cases do not reach, read from an instrument with its default image.
TEST(InitializeDevice, SchemeOptionsReachTheirBits) {
  const SchemeCase cases[] = {
      // Scheme 1 (code 0): mass or volume, the fourth channel fixed, no cold water. Volume:
      // every channel agreed at the volume code 475, option bit 6 without bit 5 (bit 7: Gcal
      // as read), cold water and months cleared, the enthalpies kept.
      {"VRX-L1-2.1 scheme 1 with volume",
       3,
       [](Bench& b) {
         b.Select(b.c().cbCountingScheme, "1");
         b.ws->CountingSchemeChanged();
         b.c().cbGGoDim.index = 1;
         b.ws->cbGGoDimChange();
       },
       {{5, 0x06},
        {6, 0x0A},
        {7, 0x02},
        {8, 0x09},
        {9, 0},
        {10, 0},
        {11, 0},
        {21, 0},
        {80, 0xCF},
        {81, 0xDB},
        {82, 0x01},
        {87, 0xDB},
        {88, 0x01},
        {89, 2},
        {90, 9}}},
      // The optional channel off: option bits 5 and 6 and the water-meter bit clear; its
      // pulse code and temperature code kept, as channel 3's.
      {"VRX-L1-2.1 scheme 17, optional channel off",
       3,
       [](Bench& b) { b.Third(false); },
       {{11, 0x02}, {17, 0x55}, {80, 0x80}, {85, 0x21}, {86, 0x15}, {87, 0xB9}, {88, 0x0B}}},
      // Scheme 1 (code 0) has no cold water, whatever the hidden edits hold.
      {"VRX-L2-1.2 scheme 1",
       7,
       [](Bench& b) {
         b.Select(b.c().cbCountingScheme, "1");
         b.ws->CountingSchemeChanged();
         b.c().summerTcwEdit.text = "20";
       },
       {{44, 0}, {45, 0}, {46, 0}, {50, 0x92}, {55, 0}}},
      // The plain item of a scheme with an "F" variant: bits 4 of channel bytes 2 and 5 clear
      // even with the second reaction in the list; "Нет" in cbgth sets bit 4 of channel byte 4.
      {"VRX-L5-2.2 scheme 15",
       22,
       [](Bench& b) {
         b.Select(b.c().cbCountingScheme, "15");
         b.ws->CountingSchemeChanged();
         b.c().cbReaction.index = 1;
         b.c().cbgth.index = 1;
       },
       {{83, 0x41}, {85, 0x91}, {86, 0x81}, {88, 14}}},
  };
  for (const SchemeCase& k : cases) {
    SCOPED_TRACE(k.name);
    Bench b(k.typeIndex);
    b.Read();
    k.edit(b);
    b.Initialize();
    const std::vector<uint8_t> image = b.Device().Image();
    for (const Expected& e : k.bytes) {
      EXPECT_EQ(image.at(static_cast<size_t>(e.position - 1)), e.value)
          << "at position " << e.position;
    }
  }
}

TEST(InitializeDevice, NothingIsWrittenWhenACheckFailsOrTheTimeIsRefused) {
  const struct {
    const char* name;
    int typeIndex;
    uint8_t subVersionByte;
    std::function<void(Bench&)> edit;
    const char* message;  // nullptr: ends silently
    const char* heard;    // every byte the instrument heard
  } cases[] = {
      {"validation", 7, 0x12, [](Bench& b) { b.c().DevNoEdit.text = ""; },
       "Номер прибора должен быть числом от 0 до 65535.", ""},
      {"another model selected", 14, 0x12,
       [](Bench& b) {
         b.Select(b.c().cbDeviceType, "VRX-L2-1.0");
         b.ws->cbDeviceTypeChange();
       },
       "Задан неправильный тип прибора", "05"},
      {"another version selected", 14, 0x12,
       [](Bench& b) {
         b.Select(b.c().cbDeviceType, "VRX-L3-1.0");
         b.ws->cbDeviceTypeChange();
       },
       "Задан неправильный тип прибора", "05"},
      // Sub-version 29: the model chosen again offers scheme 29, the instrument does not.
      {"scheme 29 before sub-version 30", 34, 0x92,
       [](Bench& b) {
         b.ws->cbDeviceTypeChange();
         b.Select(b.c().cbCountingScheme, "29");
         b.ws->CountingSchemeChanged();
       },
       "Для этой версии прибора нельзя завести схему №29", "05"},
      {"time refused", 7, 0x12, [](Bench& b) { b.confirmation.script = {false}; }, nullptr,
       "05 04 04"},
      // A VRX-L1 takes its cold-water pressure as an integer only.
      {"fractional VRX-L1 cold-water pressure", 3, 0x12,
       [](Bench& b) { b.c().tcwPressureEdit.text = "2,5"; },
       "Поле \"Холодная вода, P\": \"2,5\" не является целым числом", "05 04 04"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    Bench b(k.typeIndex, k.subVersionByte);
    b.Read();
    k.edit(b);
    b.Device().ClearHeard();
    try {
      b.Initialize();
      ADD_FAILURE() << "initialized";
    } catch (const EOwned& error) {
      ASSERT_NE(k.message, nullptr) << error.message().toStdString();
      EXPECT_EQ(error.message(), QString::fromUtf8(k.message));
    } catch (const EAbort&) {
      EXPECT_EQ(k.message, nullptr);
    }
    EXPECT_EQ(HexOf(b.Device().Heard()), HexOf(Hex(k.heard)));
    EXPECT_TRUE(b.Device().Writes().empty());
    EXPECT_TRUE(b.messages.All().empty());
  }
}

TEST(InitializeDevice, TheTimeIsConfirmedOncePerRun) {
  Bench b(test::kL2Type);
  b.Read();
  b.confirmation.script = {false};
  EXPECT_THROW(b.Initialize(), EAbort);
  b.Initialize();  // asks again
  b.Initialize();  // confirmed before: stamps without asking
  EXPECT_EQ(b.confirmation.asked, 2);
  EXPECT_EQ(b.Device().Writes().size(), 2u);
}

TEST(InitializeDevice, TheArchiveBoxChoosesTheWriteCommand) {
  for (const bool erase : {true, false}) {
    SCOPED_TRACE(erase ? "erase" : "keep");
    Bench b(test::kL12Type);
    b.Read();
    b.c().CheckBox1.checked = erase;
    b.Initialize();
    ASSERT_EQ(b.Device().Writes().size(), 1u);
    EXPECT_EQ(b.Device().Writes()[0].command, erase ? ByteProtocolInstrument::kWriteAndErase
                                                    : ByteProtocolInstrument::kWriteKeepArchive);
    EXPECT_EQ(b.Device().ArchiveErasures(), erase ? 1 : 0);
  }
}

TEST(InitializeDevice, AVrxL1OffersToLeaveInitializationMode) {
  for (const int answer : {1, 2}) {  // "Да", "Нет"
    SCOPED_TRACE(answer);
    Bench b(test::kL1Type);
    b.Read();
    b.messages.Answer(answer);
    b.Device().ClearHeard();
    b.Initialize();
    ASSERT_EQ(b.messages.All().size(), 1u);
    EXPECT_EQ(b.messages.All()[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(b.messages.All()[0].text,
              "Прибор проинициализирован успешно. Выйти из режима инициализации?");
    const auto& device = static_cast<sim::HeatCalculator&>(b.Device());
    EXPECT_EQ(device.InitModeExits(), answer == 1 ? 1 : 0);
    // Command 3 comes last, after the write and its read-back.
    EXPECT_EQ(b.Device().Heard().back() == 3, answer == 1);
  }
}

TEST(InitializeDevice, OtherModelsReportSuccessAndWarnAboutAnUnworkableImage) {
  Bench b(test::kL2Type);
  b.Read();
  b.Initialize();
  EXPECT_EQ(b.messages.Texts(), QStringList({"Прибор проинициализирован успешно."}));
  EXPECT_EQ(b.messages.All()[0].kind, DialogKind::Information);
  EXPECT_EQ(static_cast<sim::HeatCalculator&>(b.Device()).InitModeExits(), 0);

  // The instrument's clock correction is kept as read, and 0x3A is no BCD number: the block
  // is written all the same, with a warning.
  std::vector<uint8_t> image = b.Device().Image();
  image[49 - 1] = 0x3A;
  b.Device().SetImage(image);
  b.messages.Clear();
  b.Initialize();
  EXPECT_EQ(b.Device().Writes().size(), 2u);
  EXPECT_EQ(b.Device().Image()[49 - 1], 0x3A);
  EXPECT_EQ(b.messages.Texts(),
            QStringList({"Прибор проинициализирован успешно.",
                         "Неправильное значение коррекции RTC.\r\nПрибор не будет работать."}));
}

// The VRX-L1 reads thermometer codes through a table but writes temperatures with a formula,
// and the two differ by some 0.04 degrees: an unedited temperature keeps its code, a typed one
// is written by the formula.
TEST(InitializeDevice, VrxL1AgreedTemperaturesKeepTheirCodesUntilEdited) {
  Bench b(3);  // VRX-L1-2.1: codes 5409 and 3001 on channels 1 and 2
  std::vector<uint8_t> image = b.Device().Image();
  image[80 - 1] |= 0x03;  // both agreed
  b.Device().SetImage(image);
  b.Read();
  EXPECT_EQ(b.ws->cdsChannels().Text(0, F::TemperaturePreset), "70,04");
  EXPECT_EQ(b.ws->cdsChannels().Text(1, F::TemperaturePreset), "40,05");

  b.Initialize();
  EXPECT_EQ(HexOf(b.Device().Writes().back().data).substr(3 * 80, 11), "21 15 B9 0B");

  // 40,1 typed: the table has it at 3005, the formula writes 3009.
  b.Enter(2, F::TemperaturePreset, "40,1");
  b.Initialize();
  EXPECT_EQ(HexOf(b.Device().Writes().back().data).substr(3 * 80, 11), "21 15 C1 0B");
}

}  // namespace
}  // namespace vrx
