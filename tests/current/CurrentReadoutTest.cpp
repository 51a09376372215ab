// The readout against the emulated instrument: over the cable through a pseudo-terminal, and
// through the OPX adapter in-process with a virtual clock.

#include <gtest/gtest.h>

#include <QThread>
#include <memory>

#include "current/CurrentParams.h"
#include "current/CurrentReadout.h"
#include "model/Errors.h"
#include "sim/HeatCalculator.h"
#include "support/EmulatedLink.h"
#include "support/OpxBench.h"

namespace vrx {
namespace {

using sim::Fault;

const QDateTime kNow(QDate(2026, 12, 9), QTime(1, 2));

sim::HeatCalculatorConfig Config(const char* type) {
  sim::HeatCalculatorConfig config;
  config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
  config.clock = [] { return kNow; };
  return config;
}

// The message of the readout's error, or "<no error>".
QString ReadError(CurrentParams& tab) {
  try {
    tab.bnReadCurParamsClick();
  } catch (const EOwned& e) {
    return e.message();
  }
  return QStringLiteral("<no error>");
}

// One type of each family: the emulator's block agrees with its settings and its clock.
TEST(CurrentReadout, ReadsTheEmulatorOfEachFamily) {
  struct Case {
    const char* type;
    uint8_t typeByte10;
    const char* scheme;
  };
  for (const Case& c :
       {Case{"VRX-L1-2.2", 0, "17"}, Case{"VRX-L2-2.2", 0, "6"}, Case{"VRX-L3-2.2", 10, "7"},
        Case{"VRX-L12-2.2", 0, "6"}, Case{"VRX-L13-2.2", 0, "7"}}) {
    SCOPED_TRACE(c.type);
    sim::HeatCalculatorConfig config = Config(c.type);
    if (c.typeByte10)
      config.typeByte = c.typeByte10;
    auto link = test::EmulatedLink::HeatCalculator(config);
    RecordingMessages messages;
    CurrentParams tab(*link, messages);
    tab.bnReadCurParamsClick();
    const CurrentDisplay& d = tab.Display();
    EXPECT_TRUE(d.valuePanelVisible);
    EXPECT_EQ(d[QStringLiteral("stVRXType")].text, QString::fromLatin1(c.type));
    EXPECT_EQ(d[QStringLiteral("stScheme")].text, QString::fromLatin1(c.scheme));
    EXPECT_EQ(d[QStringLiteral("stNumber")].text, QStringLiteral("01234"));
    EXPECT_EQ(d[QStringLiteral("stAddr")].text, QStringLiteral("1"));
    EXPECT_EQ(d[QStringLiteral("stRTC")].text, QStringLiteral("09.12.26 01:02"));
    // Before any write the last initialization is the time stamp of the settings.
    EXPECT_EQ(d[QStringLiteral("stIniRTC")].text, QStringLiteral("15.03.24 14:30"));
    EXPECT_EQ(d[QStringLiteral("stStatus")].text, QStringLiteral("Нет ошибок"));
    EXPECT_EQ(link->state.TypeByte10, c.typeByte10 == 10);
    EXPECT_TRUE(tab.Timer2Active());
    EXPECT_FALSE(tab.ReadEnabled());
  }
}

// Every failure of the readout reports its message; a failed block read is followed by command
// 13 (and after command 8 by the byte 0x0D), and nothing of the values is shown.
TEST(CurrentReadout, FailuresReportTheirMessage) {
  struct Case {
    const char* label;
    Fault fault;
    int command;
    const char* message;
    std::vector<uint8_t> heard;
  };
  const std::vector<uint8_t> both = {6, 13, 8, 13, 0x0D};
  const Case cases[] = {
      {"clock checksum", Fault::WrongChecksum, 6, "Несовпадение контрольной суммы", {6, 13}},
      {"block checksum", Fault::WrongChecksum, 8, "Несовпадение контрольной суммы", both},
      {"unknown family", Fault::UnknownFamily, 6, "Неподдерживаемая версия прибора", {6, 13}},
      {"unknown scheme", Fault::UnknownScheme, 8,
       "Неправильный номер схемы теплопотребления. Прибор не проинициализирован.", both},
      {"clock digit", Fault::BadBcdDigit, 6, "Bad digit", {6, 13}},
      {"energy digit", Fault::BadBcdDigit, 8, "Bad digit", both},
      {"no clock", Fault::NoReply, 6, "Нет ответа от прибора", {6, 13}},
      // Last: the block goes on arriving after the wrong echo, so command 13 gets a block byte
      // for its echo and the closing byte is not sent.
      {"block echo", Fault::WrongEcho, 8, "Ошибка приемо/передачи", {6, 13, 8, 13}},
  };
  auto link = test::EmulatedLink::HeatCalculator(Config("VRX-L13-2.2"));
  RecordingMessages messages;
  CurrentParams tab(*link, messages);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    link->Device().ClearHeard();
    link->Device().Arm(c.fault, c.command);
    EXPECT_EQ(ReadError(tab), QString::fromUtf8(c.message));
    // The closing 0x0D is written without waiting: give it time to cross the line.
    for (int i = 0; i < 100 && link->Device().Heard().size() < c.heard.size(); ++i)
      QThread::msleep(10);
    EXPECT_EQ(link->Device().Heard(), c.heard);
    EXPECT_FALSE(tab.Display().valuePanelVisible);
    EXPECT_TRUE(tab.Timer2Active());
    tab.Timer2Timer();
    EXPECT_TRUE(tab.ReadEnabled());
  }
  // A version byte without a type entry.
  sim::HeatCalculatorConfig config = Config("VRX-L13-2.2");
  config.versionByte = 0x11;
  auto unknown = test::EmulatedLink::HeatCalculator(config);
  CurrentParams other(*unknown, messages);
  EXPECT_EQ(ReadError(other), QStringLiteral("Неподдерживаемая версия прибора"));
}

// The emulator reports a settings write as the last initialization, at the time of the write.
TEST(CurrentReadout, LastInitializationIsTheLastWrite) {
  QDateTime now = kNow;
  sim::HeatCalculatorConfig config = Config("VRX-L5-2.2");
  config.clock = [&now] { return now; };
  auto link = test::EmulatedLink::HeatCalculator(config);
  link->link.IdentifyDevice();
  link->link.ReadSettings();
  now = kNow.addSecs(3600);
  link->link.WriteSettings(false, {});
  now = kNow.addSecs(7200);
  RecordingMessages messages;
  CurrentParams tab(*link, messages);
  tab.bnReadCurParamsClick();
  EXPECT_EQ(tab.Display()[QStringLiteral("stIniRTC")].text, QStringLiteral("09.12.26 02:02"));
  EXPECT_EQ(tab.Display()[QStringLiteral("stRTC")].text, QStringLiteral("09.12.26 03:02"));
}

// Through the interface module: the two blocks come forwarded by Modbus at the module's speed,
// and nothing of the byte protocol is sent to the instrument.
TEST(CurrentReadout, ReadsThroughTheInterfaceModule) {
  auto link = test::EmulatedLink::WithModule({}, Config("VRX-L5-2.2"));
  link->modbus.SetInterfaceBaud(38400);
  RecordingMessages messages;
  CurrentParams tab(*link, messages);
  tab.path = CurrentPath::Interface;
  tab.bnReadCurParamsClick();
  EXPECT_EQ(tab.Display()[QStringLiteral("stVRXType")].text, QStringLiteral("VRX-L5-2.2"));
  EXPECT_EQ(tab.Display()[QStringLiteral("stRTC")].text, QStringLiteral("09.12.26 01:02"));
  EXPECT_TRUE(tab.Display().valuePanelVisible);
  EXPECT_EQ(link->Module().Frames().size(), 2u);
  EXPECT_TRUE(link->Device().Heard().empty());
  EXPECT_EQ(link->port.BaudRate(), 4800u);
  EXPECT_TRUE(tab.Timer2Active());
}

// A VRX-L2 behind the OPX adapter.
struct OpxBench : test::OpxBench<sim::HeatCalculator> {
  OpxBench() : test::OpxBench<sim::HeatCalculator>(Config("VRX-L2-2.2")) {}
};

TEST(CurrentReadout, OpxWakesTheAdapterAndGivesTheButtonBackAtOnce) {
  OpxBench bench;
  CurrentParams tab(*bench.connection, bench.messages);
  tab.path = CurrentPath::Opx;
  tab.bnReadCurParamsClick();
  const std::vector<std::string> wake = {"0 rts on", "800 rts off", "900 write ff 4800",
                                         "1550 write 80 4800", "1550 read 1 7000"};
  const auto& events = bench.line->Events();
  ASSERT_GE(events.size(), wake.size());
  EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 5), wake);
  // After command 0x80 the link's time-out is back.
  EXPECT_EQ(events[5], "1600 write 06 4800");
  EXPECT_EQ(events[6], "1600 read 1 1500");
  EXPECT_TRUE(bench.messages.Texts().isEmpty());
  EXPECT_TRUE(tab.Display().valuePanelVisible);
  EXPECT_TRUE(tab.ReadEnabled());
  EXPECT_FALSE(tab.Timer2Active());
}

TEST(CurrentReadout, OpxWithoutDsrAsksForTheAdapterAndReadsAllTheSame) {
  OpxBench bench;
  bench.line->SetDsr(false);
  CurrentParams tab(*bench.connection, bench.messages);
  tab.path = CurrentPath::Opx;
  tab.bnReadCurParamsClick();
  EXPECT_EQ(bench.messages.Texts(),
            QStringList{QStringLiteral("Подключите адаптер OPX к порту ПК")});
  EXPECT_TRUE(tab.Display().valuePanelVisible);
}

TEST(CurrentReadout, TheSleepingAdapterPassesNothing) {
  OpxBench bench;
  CurrentParams tab(*bench.connection, bench.messages);
  EXPECT_THROW(tab.bnReadCurParamsClick(), EComPort);
  EXPECT_TRUE(bench.device.Heard().empty());
}

}  // namespace
}  // namespace vrx
