#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>
#include <string>
#include <vector>

#include "cli/CtlInstrument.h"
#include "cli/VrxCtl.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using sim::ByteProtocolInstrument;

using test::At;
using test::CtlRun;
using test::Instrument;

// A bit field of the image: a 1-based position and a mask.
struct Bits {
  int position;
  uint8_t mask;
};

std::string Differences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  std::string text;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] != b[i])
      text += std::to_string(i + 1) + ":" + std::to_string(a[i] ^ b[i]) + " ";
  }
  return text;
}

// Clears the bits the first write may change; what remains must be equal.
std::vector<uint8_t> Masked(std::vector<uint8_t> image, const std::vector<Bits>& bits) {
  for (const Bits& b : bits)
    image.at(static_cast<size_t>(b.position - 1)) &= static_cast<uint8_t>(~b.mask);
  return image;
}

struct StableCase {
  const char* type;
  // Bytes of the instrument's default image set to values the tab derives otherwise.
  std::vector<std::pair<int, uint8_t>> patch;
  // All the first write may change besides the time stamp.
  std::vector<Bits> derived;
  int stamp;  // position of the time stamp
};

// `settings --json` then `init --form`, twice, on one instrument: the first write keeps what the
// instrument held but for the time stamp and the bits the tab derives from other settings, the
// second write repeats the first but for the time stamp, and both runs print the same form.
TEST(VrxCtlInit, InitializingTwiceFromTheReadFormIsStable) {
  const StableCase cases[] = {
      // The water meter on channel 4 counts volume: option bits 3 and 6 and the volume code 475
      // of channel 4. A counter byte is cleared.
      {"VRX-L1-2.1", {{30, 0x42}}, {{30, 0xFF}, {80, 0x48}, {87, 0xFF}, {88, 0xFF}}, 12},
      // Channel 2 at pulse code 2 (5 litres): channel 1's pulse value is below it, which
      // clears bit 4 of channel byte 1, and its line test is off.
      {"VRX-L2-1.2", {{6, 0x42}, {52, 0x02}}, {{6, 0xFF}, {51, 0x10}, {52, 0x80}}, 1},
      // Scheme 7 does not compare channels 3 and 4: bit 4 of channel byte 3 set. Channel 4 has
      // no row: its threshold nibble is cleared with the threshold bytes.
      {"VRX-L3-2.0", {{87, 0x42}, {82, 0x05}}, {{87, 0xFF}, {82, 0x10}, {74, 0xF0}}, 1},
      // The optional channel 5 keeps no line test. Channel 4 has no row: its exponent is
      // cleared with the exponents byte.
      {"VRX-L5-2.2", {{89, 0x42}, {86, 0x01}}, {{89, 0xFF}, {86, 0x80}, {97, 0xC0}}, 1},
      // Option bits 5 and 6 follow the scheme; the last channel keeps no threshold test.
      {"VRX-L12-1.1",
       {{10, 0x42}, {58, 0x04}, {57, 0x01}},
       {{10, 0xFF}, {58, 0x60}, {57, 0x40}},
       1},
      {"VRX-L13-2.2", {{92, 0x42}, {87, 0x04}}, {{92, 0xFF}, {87, 0x40}, {100, 0xC0}}, 1},
  };
  for (const StableCase& k : cases) {
    SCOPED_TRACE(k.type);
    Instrument instrument(k.type);
    std::vector<uint8_t> original = instrument.Device().Image();
    for (const auto& [position, value] : k.patch)
      original.at(static_cast<size_t>(position - 1)) = value;
    instrument.Device().SetImage(original);

    const QString firstForm = instrument.SaveForm("first.json");
    const CtlRun first =
        instrument.Run({"init", "--form", firstForm, "--time-ok"}, {}, At(2024, 12, 31, 23, 59));
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    const QString secondForm = instrument.SaveForm("second.json");
    const CtlRun second =
        instrument.Run({"init", "--form", secondForm, "--time-ok"}, {}, At(2025, 1, 1, 0, 0));
    ASSERT_EQ(second.code, 0) << second.err.toStdString();

    const std::vector<sim::BlockWrite> writes = instrument.Device().Writes();
    ASSERT_EQ(writes.size(), 2u);
    std::vector<uint8_t> w1 = writes[0].data;
    std::vector<uint8_t> w2 = writes[1].data;
    const auto stamp = [&](const std::vector<uint8_t>& w) {
      return std::vector<uint8_t>(w.begin() + k.stamp - 1, w.begin() + k.stamp + 4);
    };
    EXPECT_EQ(stamp(w1), std::vector<uint8_t>({0x59, 0x23, 0x31, 0x12, 0x24}));
    EXPECT_EQ(stamp(w2), std::vector<uint8_t>({0x00, 0x00, 0x01, 0x01, 0x25}));
    std::vector<Bits> withStamp = k.derived;
    for (int i = 0; i < 5; ++i)
      withStamp.push_back({k.stamp + i, 0xFF});
    EXPECT_EQ(Masked(w1, withStamp), Masked(original, withStamp)) << Differences(w1, original);
    // The derived bits were wrong in the patched image, so each of them did change.
    for (const Bits& b : k.derived) {
      EXPECT_NE(w1.at(static_cast<size_t>(b.position - 1)) & b.mask,
                original.at(static_cast<size_t>(b.position - 1)) & b.mask)
          << "position " << b.position;
    }
    EXPECT_EQ(Masked(w2, withStamp), Masked(w1, withStamp)) << Differences(w2, w1);

    QFile a(firstForm), b(secondForm);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
  }
}

// A form that names only what changes changes only that.
TEST(VrxCtlInit, WhatTheFormLacksKeepsTheInstrumentsValues) {
  Instrument instrument("VRX-L13-2.2");
  const std::vector<uint8_t> before = instrument.Device().Image();
  const CtlRun run = instrument.Run(
      {"init", "--form", instrument.WriteForm(QJsonObject{{"DevNoEdit", "300"}}), "--time-ok"});
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "Прибор проинициализирован успешно.\n");
  std::vector<uint8_t> expected = before;
  // Time stamp, the device number 300 at 71-72, channel 4's exponent (no row) cleared.
  for (const auto& [position, value] : std::vector<std::pair<int, uint8_t>>{{1, 0x59},
                                                                            {2, 0x23},
                                                                            {3, 0x31},
                                                                            {4, 0x12},
                                                                            {5, 0x24},
                                                                            {71, 0x2C},
                                                                            {72, 0x01},
                                                                            {100, 0x2A}})
    expected.at(static_cast<size_t>(position - 1)) = value;
  EXPECT_EQ(instrument.Device().Image(), expected);
}

TEST(VrxCtlInit, OnlyAYesToTheClockQuestionWrites) {
  const struct {
    const char* input;
    bool written;
  } cases[] = {
      {"да\n", true}, {"Д\n", true}, {" YES \n", true}, {"y\n", true},           {"нет\n", false},
      {"n\n", false}, {"\n", false}, {"", false},       {"yes please\n", false},
  };
  Instrument instrument("VRX-L2-1.2");
  const QString form = instrument.SaveForm();
  for (const auto& k : cases) {
    SCOPED_TRACE(k.input);
    const size_t writes = instrument.Device().Writes().size();
    const CtlRun run = instrument.Run({"init", "--form", form}, QString::fromUtf8(k.input));
    EXPECT_TRUE(run.out.startsWith("Проверьте время!\n31.12.24 23:59:42\nЭто правильное время? "))
        << run.out.toStdString();
    EXPECT_EQ(run.code, k.written ? 0 : 2);
    EXPECT_EQ(instrument.Device().Writes().size() - writes, k.written ? 1u : 0u);
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_EQ(run.out.endsWith("Прибор проинициализирован успешно.\n"), k.written);
  }
}

TEST(VrxCtlInit, EraseChoosesCommandZero) {
  Instrument instrument("VRX-L12-1.1");
  // The form read from the instrument says "Стирать архив" is off; a form saying it is on does
  // not erase without --erase.
  QJsonObject form =
      QJsonDocument::fromJson(instrument.Run({"settings", "--json"}).out.toUtf8()).object();
  form.insert("CheckBox1", true);
  const QString path = instrument.WriteForm(form);
  ASSERT_EQ(instrument.Run({"init", "--form", path, "--time-ok"}).code, 0);
  ASSERT_EQ(instrument.Run({"init", "--form", path, "--time-ok", "--erase"}).code, 0);
  const std::vector<sim::BlockWrite> writes = instrument.Device().Writes();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].command, ByteProtocolInstrument::kWriteKeepArchive);
  EXPECT_EQ(writes[1].command, ByteProtocolInstrument::kWriteAndErase);
  EXPECT_EQ(instrument.Device().ArchiveErasures(), 1);
}

TEST(VrxCtlInit, AVrxL1LeavesInitializationModeOnlyWithExitInit) {
  for (const bool exit : {true, false}) {
    SCOPED_TRACE(exit);
    Instrument instrument("VRX-L1-2.2");
    QStringList arguments{"init", "--form", instrument.SaveForm(), "--time-ok"};
    if (exit)
      arguments << "--exit-init";
    const CtlRun run = instrument.Run(arguments);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QString("Прибор проинициализирован успешно. Выйти из режима "
                               "инициализации?\n") +
                           (exit ? "Да\n" : "Нет\n"));
    EXPECT_EQ(static_cast<sim::HeatCalculator&>(instrument.Device()).InitModeExits(), exit ? 1 : 0);
  }
}

TEST(VrxCtlInit, RefusalsPrintTheMessageAloneAndWriteNothing) {
  const struct {
    const char* type;
    QJsonObject form;
    const char* message;
  } cases[] = {
      {"VRX-L2-1.2", {{"DevNoEdit", "70000"}}, "Номер прибора должен быть числом от 0 до 65535.\n"},
      {"VRX-L3-2.0", {{"cbDeviceType", "VRX-L2-1.0"}}, "Задан неправильный тип прибора\n"},
      {"VRX-L2-1.2",
       {{"cbWinterDst", "Брюмер"}},
       "Недопустимое значение \"cbWinterDst\" в файле формы\n"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.message);
    Instrument instrument(k.type);
    const CtlRun run =
        instrument.Run({"init", "--form", instrument.WriteForm(k.form), "--time-ok"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QString::fromUtf8(k.message));
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(instrument.Device().Writes().empty());
  }
}

TEST(VrxCtlInit, WrongCommandLinesExitTwo) {
  Instrument instrument("VRX-L2-1.2");
  const QString notJson = instrument.Write("broken.json", "{\"DevNoEdit\": ");
  const QStringList cases[] = {
      {"init"},
      {"init", "--form", instrument.dir.filePath("missing.json")},
      {"init", "--form", notJson},
      {"identify", "--erase"},
      {"settings", "--time-ok"},
      {"identify", "--form", notJson},
  };
  for (const QStringList& arguments : cases) {
    const CtlRun run = instrument.Run(arguments);
    EXPECT_EQ(run.code, 2) << arguments.join(' ').toStdString();
    EXPECT_FALSE(run.err.isEmpty());
  }
  EXPECT_TRUE(instrument.Device().Heard().empty());
}

}  // namespace
}  // namespace vrx
