#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "model/Errors.h"
#include "rq7/Rq7Readout.h"
#include "rq7/Rq7Workspace.h"
#include "support/EmulatedLink.h"
#include "support/ErrorOf.h"
#include "support/OpxBench.h"
#include "support/QtPrinters.h"
#include "support/Rq7TestSupport.h"
#include "support/ScriptedConfirmation.h"

namespace vrx {
namespace {

using sim::Fault;
using sim::Rq7Unit;
using test::ErrorOf;
using test::HexOf;

QDateTime UnitClock() {
  return QDateTime(QDate(2025, 3, 4), QTime(13, 33, 10));
}

struct Bench {
  std::unique_ptr<test::EmulatedLink> line;
  Rq7Workspace ws;
  RecordingMessages messages;
  test::ScriptedConfirmation confirmation;
  PcTimeStamp stamp{test::NewYearsEve};

  Bench() {
    line = std::make_unique<test::EmulatedLink>(
        std::make_unique<Rq7Unit>(sim::Rq7UnitConfig{.clock = UnitClock}), 4800,
        sim::InterfaceModuleConfig{});
    Unit().SetImage(test::HandWrittenUnitBlock());
  }
  Rq7Unit& Unit() { return static_cast<Rq7Unit&>(line->Device()); }
  bool Initialize(bool l1Family = false) {
    return ws.Initialize(*line, stamp, confirmation, messages, l1Family);
  }
  Rq7ValuesDisplay Readout(CurrentPath path) {
    Rq7ValuesDisplay display;
    ReadRq7Values(*line, path, messages, display);
    return display;
  }
};

// What the unit heard last, once it ends with `tail` or after a second.
std::string HeardSoon(Rq7Unit& unit, const std::string& tail) {
  std::string heard;
  for (int i = 0; i < 100; ++i) {
    heard = HexOf(unit.Heard());
    if (heard.ends_with(tail))
      return tail;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return heard;
}

TEST(Rq7Initialize, UnchangedTabWritesTheBlockReadWithTheStampAndLeavesInitModeOnYes) {
  Bench b;
  b.ws.Read(*b.line);
  b.messages.Answer(1);
  ASSERT_TRUE(b.Initialize());

  std::vector<uint8_t> expected = test::HandWrittenUnitBlock();
  const uint8_t stamp[] = {0x59, 0x23, 0x31, 0x12, 0x24};
  std::copy(std::begin(stamp), std::end(stamp), expected.begin());
  ASSERT_EQ(b.Unit().Writes().size(), 1u);
  EXPECT_EQ(b.Unit().Writes()[0].command, 0);
  EXPECT_EQ(HexOf(b.Unit().Writes()[0].data), HexOf(expected));
  EXPECT_EQ(b.messages.Texts(),
            QStringList{"Прибор проинициализирован успешно. Выйти из режима инициализации?"});
  EXPECT_EQ(b.Unit().InitModeExits(), 1);
  // The unit keeps the stamp as its last initialization.
  EXPECT_EQ(b.Readout(CurrentPath::Cable).value("stIniRQRTC"), "31.12.24 23:59");
}

TEST(Rq7Initialize, AVrxL1ModelOnTheFirstTabOnlyReportsSuccess) {
  Bench b;
  b.ws.Read(*b.line);
  ASSERT_TRUE(b.Initialize(true));
  EXPECT_EQ(b.messages.Texts(), QStringList{"Прибор проинициализирован успешно."});
  EXPECT_EQ(b.Unit().InitModeExits(), 0);
}

TEST(Rq7Initialize, AllFourChecksFailingShowFourMessagesAndSendNothing) {
  Bench b;
  b.ws.Read(*b.line);
  b.ws.Form().texts["meV1l"] = "0";
  b.ws.Form().texts["meV2l"] = "0";
  b.Unit().ClearHeard();
  EXPECT_FALSE(b.Initialize());
  EXPECT_EQ(b.messages.Texts(),
            (QStringList{"Ошибка диапазона расхода 1к.", "Ошибка диапазона расхода 2к.",
                         "Ошибка цены импульса 1к.", "Ошибка цены импульса 2к."}));
  EXPECT_TRUE(b.Unit().Heard().empty());
}

TEST(Rq7Initialize, RefusalsBeforeAnythingIsSent) {
  Bench b;
  EXPECT_EQ(ErrorOf([&] { b.Initialize(); }), "Сначала считайте блок RQ-7 кнопкой «Считать»");
  b.ws.Read(*b.line);
  b.Unit().ClearHeard();
  b.confirmation.script = {false};
  EXPECT_THROW(b.Initialize(), EAbort);
  b.ws.Form().texts["DevRQNoEdit"] = "12a";
  EXPECT_EQ(ErrorOf([&] { b.Initialize(); }), "Поле \"Зав. №\": \"12a\" не является целым числом");
  b.ws.Form().texts["DevRQNoEdit"] = "70000";
  EXPECT_EQ(ErrorOf([&] { b.Initialize(); }), "Заводской номер должен быть от 0 до 65535");
  b.ws.Form().texts["DevRQNoEdit"] = "1";
  b.ws.Form().texts["meV1h"] = "x";
  EXPECT_EQ(ErrorOf([&] { b.Initialize(); }), "Поле \"Макс. расход V1\": \"x\" не является числом");
  b.ws.Form().texts["meV1h"] = "100";
  b.ws.Form().texts["meV2l"] = "";
  EXPECT_EQ(ErrorOf([&] { b.Initialize(); }), "Поле \"Мин. расход V2\" не заполнено");
  EXPECT_TRUE(b.Unit().Heard().empty());
}

TEST(Rq7Initialize, LinkFailuresOfReadAndWrite) {
  Bench b;
  b.Unit().Arm(Fault::CorruptReply, 4, 1);
  EXPECT_EQ(ErrorOf([&] { b.ws.Read(*b.line); }), "Ошибка приема данных с прибора");
  EXPECT_FALSE(b.ws.LastRead().has_value());
  std::vector<uint8_t> bad = test::HandWrittenUnitBlock();
  bad[5] = 0x6A;
  b.Unit().SetImage(bad);
  EXPECT_EQ(ErrorOf([&] { b.ws.Read(*b.line); }), "Bad digit");
  EXPECT_EQ(b.ws.Form(), DefaultRq7Form());

  b.Unit().SetImage(test::HandWrittenUnitBlock());
  b.ws.Read(*b.line);
  b.Unit().Arm(Fault::CorruptReply, 4);
  EXPECT_EQ(ErrorOf([&] { b.Initialize(); }), "Ошибка приемо/прередачи");
  b.Unit().Arm(Fault::WrongEcho, 0);
  EXPECT_EQ(ErrorOf([&] { b.Initialize(); }), "Ошибка приемо/передачи");

  auto calculator = test::EmulatedLink::HeatCalculator({});
  EXPECT_EQ(ErrorOf([&] { b.ws.Read(*calculator); }), "Подключенный прибор не RQ-7");
}

TEST(Rq7Values, ReadoutShowsEveryFieldAlikeOverCableAndInterfaceModule) {
  Bench b;
  b.Unit().SetActiveErrors(0x21, 0x10);
  const Rq7ValuesDisplay expected = {
      {"stRQRTC", "04.03.25 13:33"},
      {"stIniRQRTC", "01.01.24 12:00"},
      {"stRQgt1", "12,345"},
      {"stRQgt2", "8,20"},
      {"stWTime", "012346:07"},
      {"stRQtp1", "000001:02"},
      {"stRQtp2", "099999:59"},
      {"stRQer1", "000000:00"},
      {"stRQer2", "000012:30"},
      {"stRQG1", "12345,67890"},
      {"stRQG2", "765432,10980"},
      {"stAl1", "07:30"},
      {"stAl2", "22:15"},
      {"stRQAddr", "5"},
      {"stRQNumber", "12345"},
      {"stDuRQ1", "0,01"},
      {"stDuRQ2", "1"},
      {"stRQErrors1", "Линия 1\r\nLB\r\nБудильник\r\n"},
  };
  EXPECT_EQ(b.Readout(CurrentPath::Interface), expected);
  EXPECT_EQ(b.Readout(CurrentPath::Cable), expected);
  // Each block's reading ends with command 13, the values block's with a lone 0x0D as well,
  // which the tool writes without waiting: it reaches the unit a little later.
  b.Readout(CurrentPath::Cable);
  EXPECT_EQ(HeardSoon(b.Unit(), "06 0D 08 0D 0D"), "06 0D 08 0D 0D");
}

TEST(Rq7Values, FailuresEndTheReadout) {
  Bench b;
  b.Unit().Arm(Fault::UnknownFamily, Rq7Unit::kClockBlock);
  b.Unit().ClearHeard();
  EXPECT_EQ(ErrorOf([&] { b.Readout(CurrentPath::Cable); }), "Подключенный прибор не RQ-7");
  EXPECT_EQ(HexOf(b.Unit().Heard()), "06 0D");

  Rq7ValuesDisplay display;
  b.Unit().Arm(Fault::WrongChecksum, Rq7Unit::kValuesBlock);
  EXPECT_EQ(ErrorOf([&] { ReadRq7Values(*b.line, CurrentPath::Cable, b.messages, display); }),
            "Несовпадение контрольной суммы");
  EXPECT_EQ(display.value("stRQRTC"), "04.03.25 13:33");  // filled before the failure
  EXPECT_FALSE(display.contains("stRQG1"));

  b.Unit().Arm(Fault::BadBcdDigit, Rq7Unit::kValuesBlock);
  EXPECT_EQ(ErrorOf([&] { b.Readout(CurrentPath::Cable); }), "Bad digit");
  b.Unit().Arm(Fault::WrongEcho, Rq7Unit::kClockBlock);
  EXPECT_EQ(ErrorOf([&] { b.Readout(CurrentPath::Cable); }), "Ошибка приемо/передачи");
  b.Unit().Arm(Fault::ShortReply, Rq7Unit::kValuesBlock);
  EXPECT_EQ(ErrorOf([&] { b.Readout(CurrentPath::Cable); }), "Нет ответа от прибора");
}

TEST(Rq7Values, FlowVolumeAndErrorTexts) {
  EXPECT_EQ(Rq7FlowText(1234, 2), "12,34");
  EXPECT_EQ(Rq7FlowText(1234, 0), "1234,");
  std::vector<uint8_t> block(79, 0);
  block[27] = 0x67;  // 00001234567
  block[28] = 0x45;
  block[29] = 0x23;
  block[30] = 0x01;
  Rq7ValuesDisplay display;
  ShowRq7Values(block.data(), display);
  EXPECT_EQ(display.value("stRQG1"), "12,34567");
  EXPECT_EQ(display.value("stRQG2"), "0,00000");
  EXPECT_EQ(display.value("stRQErrors1"), "Нет ошибок");
}

TEST(Rq7Readout, ThroughTheOpxAdapterWakesItFirstAndReadsBothBlocks) {
  test::OpxBench<Rq7Unit> bench(sim::Rq7UnitConfig{.clock = UnitClock});
  bench.device.SetImage(test::HandWrittenUnitBlock());
  Rq7ValuesDisplay display;
  ReadRq7Values(*bench.connection, CurrentPath::Opx, bench.messages, display);
  const std::vector<std::string> wake = {
      "0 rts on",         "800 rts off",        "900 write ff 4800", "1550 write 80 4800",
      "1550 read 1 7000", "1600 write 06 4800", "1600 read 1 1500"};
  const auto& events = bench.line->Events();
  ASSERT_GE(events.size(), wake.size());
  EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + wake.size()), wake);
  EXPECT_TRUE(bench.messages.Texts().isEmpty());
  EXPECT_EQ(display.value("stRQRTC"), "04.03.25 13:33");
  EXPECT_FALSE(display.value("stRQNumber").isEmpty());
}

}  // namespace
}  // namespace vrx
