// Exchanges, settings transfers and their failures end to end: the tool on a real
// pseudo-terminal, an emulated instrument with armed faults on the other side. Every failure
// test also checks what the tool put on the line.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "support/EmulatedLink.h"
#include "support/LinkTestSupport.h"

namespace vrx::test {
namespace {

using sim::Fault;
using Clock = std::chrono::steady_clock;

const char* const kPortClosed = "COM-порт не открыт";
const char* const kNoAnswer = "Нет ответа от прибора";
const char* const kTransferError = "Ошибка приемо/передачи";
const char* const kReceiveError = "Ошибка приема данных с прибора";
const char* const kReadBackError = "Ошибка приемо/прередачи";
const char* const kNotRq7 = "Подключенный прибор не RQ-7";

// VRX-L2-1.0 has the shortest settings image, so its transfers are the quickest.
constexpr int kL2Index = 5;
constexpr int kUnitBlock = 73;

std::unique_ptr<EmulatedLink> IdentifiedL2() {
  auto link = EmulatedLink::HeatCalculator({.typeIndex = kL2Index});
  link->link.IdentifyDevice();
  link->Device().ClearHeard();
  return link;
}

Bytes BufferHead(const EmulatedLink& link, int length) {
  return Bytes(link.buffer.bytes.begin(), link.buffer.bytes.begin() + length);
}

void FillBuffer(EmulatedLink& link, const Bytes& bytes) {
  std::copy(bytes.begin(), bytes.end(), link.buffer.bytes.begin());
}

// ---- Port not open ----

TEST(LinkFailures, ClosedNeverOpenedOrUnopenablePortSendsNothing) {
  {
    SCOPED_TRACE("closed after use");
    auto link = IdentifiedL2();
    link->port.Close();
    EXPECT_EQ(ErrorOf([&] { link->link.IdentifyDevice(); }), kPortClosed);
    EXPECT_EQ(ErrorOf([&] { link->link.ReadSettings(); }), kPortClosed);
    EXPECT_TRUE(link->Device().Heard().empty());
  }
  for (bool openFails : {false, true}) {
    SCOPED_TRACE(openFails ? "open failed" : "never opened");
    sim::EmulatedInstrument emulator(std::make_unique<sim::HeatCalculator>());
    TComPort port(PortNaming([](int) { return QString(); }));
    port.Naming().SetOverride(1, QString::fromStdString(emulator.SlavePath()));
    if (openFails) {
      port.Naming().SetOverride(1, QStringLiteral("/nonexistent/ttyVRX"));
      port.Open(1, 4800, 1500);
      EXPECT_FALSE(port.IsOpen());
      EXPECT_FALSE(port.LastOpenError().isEmpty());
    }
    ConnectionState state;
    InstrumentBuffer buffer;
    RealPacer pacer;
    PlainCursor cursor;
    DeviceLink link(port, state, buffer, pacer, cursor);
    // A failed open adds its reason on a second line (PortOpenFailureTest).
    const std::string closed =
        openFails ? kPortClosed + ("\n/nonexistent/ttyVRX: " + port.LastOpenError().toStdString())
                  : kPortClosed;
    EXPECT_EQ(ErrorOf([&] { link.IdentifyDevice(); }), closed);
    EXPECT_EQ(ErrorOf([&] { link.DeviceExchange(3, {}, {}, true, 0); }), closed);
    EXPECT_EQ(ErrorOf([&] { link.IdentifyInterfaceUnit(); }), closed);
    EXPECT_EQ(ErrorOf([&] { link.ReadUnitBlock(); }), closed);
    EXPECT_EQ(state.Family, nullptr);
    EXPECT_TRUE(emulator.Device().Heard().empty());
  }
}

TEST(LinkFailures, PortWorksAgainAfterCloseAndOpenOrReopen) {
  auto link = IdentifiedL2();
  link->port.Close();
  link->port.Open(1, 4800, EmulatedLink::kReadTimeoutMs);
  ASSERT_TRUE(link->port.IsOpen());
  link->link.IdentifyDevice();
  link->port.Reopen();
  ASSERT_TRUE(link->port.IsOpen());
  link->link.IdentifyDevice();
  EXPECT_EQ(link->Device().Heard(), (Bytes{5, 5}));
  EXPECT_EQ(link->state.TypeIndex, kL2Index);
}

// ---- Missing bytes ----

TEST(LinkFailures, SilentInstrumentGivesNoAnswer) {
  auto link = EmulatedLink::HeatCalculator({.typeIndex = kL2Index});
  link->Device().Arm(Fault::NoReply, 5);
  EXPECT_EQ(ErrorOf([&] { link->link.IdentifyDevice(); }), kNoAnswer);
  EXPECT_EQ(link->Device().Heard(), Bytes{5});
}

// Measures the wall clock: runs alone (tests/link/CMakeLists.txt).
TEST(LinkFailures, ReplyOneByteShortFailsOnlyAfterTheFullTimeout) {
  auto link = IdentifiedL2();
  link->Device().Arm(Fault::ShortReply, 4);
  const auto start = Clock::now();
  const std::string error = ErrorOf([&] { link->link.ReadSettings(); });
  const auto elapsed = Clock::now() - start;
  EXPECT_EQ(error, kNoAnswer);
  EXPECT_EQ(link->Device().Heard(), Bytes{4});
  EXPECT_GE(elapsed, std::chrono::milliseconds(EmulatedLink::kReadTimeoutMs));
  EXPECT_LT(elapsed, std::chrono::milliseconds(EmulatedLink::kReadTimeoutMs + 400));
}

// ---- Echo and data echo ----

TEST(LinkFailures, WrongCommandEchoIsATransferError) {
  {
    SCOPED_TRACE("identification");
    auto link = EmulatedLink::HeatCalculator({.typeIndex = kL2Index});
    link->Device().Arm(Fault::WrongEcho, 5);
    EXPECT_EQ(ErrorOf([&] { link->link.IdentifyDevice(); }), kTransferError);
    EXPECT_EQ(link->Device().Heard(), Bytes{5});
  }
  {
    SCOPED_TRACE("settings read");
    auto link = IdentifiedL2();
    link->Device().Arm(Fault::WrongEcho, 4);
    EXPECT_EQ(ErrorOf([&] { link->link.ReadSettings(); }), kTransferError);
    EXPECT_EQ(link->Device().Heard(), Bytes{4});
  }
}

TEST(LinkFailures, ChangedDataEchoIsATransferErrorAndNothingIsReadBack) {
  for (bool erase : {false, true}) {
    const uint8_t command = erase ? 0 : 18;
    SCOPED_TRACE(int(command));
    auto link = IdentifiedL2();
    const Bytes image = Pattern(link->link.SettingsLength(), 0x20);
    FillBuffer(*link, image);
    link->Device().Arm(Fault::CorruptReply, command);
    EXPECT_EQ(ErrorOf([&] { link->link.WriteSettings(erase, {}); }), kTransferError);
    EXPECT_EQ(link->Device().Heard(), Concat({command}, image));
  }
}

// ---- Double read and read-back ----

TEST(LinkFailures, TwoReadsThatDifferAreAReceiveErrorAndTheFirstIsKept) {
  struct Case {
    const char* label;
    bool unit;
  };
  for (const Case& c : {Case{"settings image", false}, Case{"RQ-7 block", true}}) {
    SCOPED_TRACE(c.label);
    auto link = c.unit ? EmulatedLink::Rq7() : IdentifiedL2();
    const int length = c.unit ? kUnitBlock : link->link.SettingsLength();
    const Bytes image = Pattern(length, 0x31);
    link->Device().SetImage(image);
    link->Device().Arm(Fault::CorruptReply, 4, 1);
    const std::string error =
        ErrorOf([&] { c.unit ? link->link.ReadUnitBlock() : link->link.ReadSettings(); });
    EXPECT_EQ(error, kReceiveError);
    EXPECT_EQ(link->Device().Heard(), (Bytes{4, 4}));
    EXPECT_EQ(BufferHead(*link, length), image);
  }
}

TEST(LinkFailures, ChangedReadBackIsAReadBackError) {
  struct Case {
    const char* label;
    bool unit;
    bool erase;
  };
  const Case cases[] = {
      {"settings, archive kept", false, false},
      {"settings, archive erased", false, true},
      {"RQ-7 block, erased", true, true},
      {"RQ-7 block, kept", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    auto link = c.unit ? EmulatedLink::Rq7() : IdentifiedL2();
    const int length = c.unit ? kUnitBlock : link->link.SettingsLength();
    const Bytes image = Pattern(length, 0x44);
    FillBuffer(*link, image);
    link->Device().Arm(Fault::CorruptReply, 4);
    const std::string error = ErrorOf([&] {
      c.unit ? link->link.WriteUnitBlock(c.erase, {}) : link->link.WriteSettings(c.erase, {});
    });
    EXPECT_EQ(error, kReadBackError);
    const uint8_t command = c.erase ? 0 : 18;
    EXPECT_EQ(link->Device().Heard(), Concat(Concat({command}, image), {4}));
    EXPECT_EQ(link->Device().Image(), image);
  }
}

TEST(LinkFailures, HeatCalculatorIsNotAnRq7) {
  auto link = EmulatedLink::HeatCalculator({});
  EXPECT_EQ(ErrorOf([&] { link->link.IdentifyInterfaceUnit(); }), kNotRq7);
  EXPECT_EQ(link->Device().Heard(), Bytes{5});
}

// ---- Successful transfers ----

TEST(SettingsTransfer, ReadFillsTheBufferUpToTheImageLengthOnly) {
  auto link = IdentifiedL2();
  const int length = link->link.SettingsLength();
  ASSERT_EQ(length, link->Device().SettingsLength());
  const Bytes image = Pattern(length, 0x05);
  link->Device().SetImage(image);
  link->buffer.bytes.fill(0xEE);
  link->link.ReadSettings();
  EXPECT_EQ(link->Device().Heard(), (Bytes{4, 4}));
  EXPECT_EQ(BufferHead(*link, length), image);
  EXPECT_TRUE(std::all_of(link->buffer.bytes.begin() + length, link->buffer.bytes.end(),
                          [](uint8_t b) { return b == 0xEE; }));
}

TEST(SettingsTransfer, WriteSendsCommandAndImageThenReadsBack) {
  for (bool erase : {false, true}) {
    const uint8_t command = erase ? 0 : 18;
    SCOPED_TRACE(int(command));
    auto link = IdentifiedL2();
    const int length = link->link.SettingsLength();
    const Bytes image = Pattern(length, 0x60);
    link->buffer.bytes.fill(0xEE);
    FillBuffer(*link, image);
    link->link.WriteSettings(erase, {});
    EXPECT_EQ(link->Device().Heard(), Concat(Concat({command}, image), {4}));
    EXPECT_EQ(link->Device().Image(), image);
    EXPECT_EQ(link->Device().Writes(), (std::vector<sim::BlockWrite>{{command, image}}));
    EXPECT_EQ(link->Device().ArchiveErasures(), erase ? 1 : 0);
    EXPECT_EQ(BufferHead(*link, length), image);
  }
}

TEST(Rq7Transfer, IdentificationReadsTheSubVersion) {
  struct Case {
    uint8_t subVersionByte;
    uint8_t subVersion;
  };
  for (const Case& c : {Case{0x12, 21}, Case{0x03, 30}, Case{0x90, 9}}) {
    SCOPED_TRACE(int(c.subVersionByte));
    auto link = EmulatedLink::Rq7({.subVersionByte = c.subVersionByte});
    link->state.SubVersion = 77;
    link->link.IdentifyInterfaceUnit();
    EXPECT_EQ(link->state.SubVersion, c.subVersion);
    EXPECT_EQ(link->Device().Heard(), Bytes{5});
  }
}

TEST(Rq7Transfer, BlockIs73BytesBothWays) {
  for (bool erase : {false, true}) {
    const uint8_t command = erase ? 0 : 18;
    SCOPED_TRACE(int(command));
    auto link = EmulatedLink::Rq7();
    const Bytes stored = Pattern(kUnitBlock, 0x11);
    link->Device().SetImage(stored);
    link->buffer.bytes.fill(0xEE);
    link->link.ReadUnitBlock();
    EXPECT_EQ(BufferHead(*link, kUnitBlock), stored);
    EXPECT_EQ(link->buffer.bytes[kUnitBlock], 0xEE);

    const Bytes written = Pattern(kUnitBlock, 0x90);
    FillBuffer(*link, written);
    link->Device().ClearHeard();
    link->link.WriteUnitBlock(erase, {});
    EXPECT_EQ(link->Device().Heard(), Concat(Concat({command}, written), {4}));
    EXPECT_EQ(link->Device().Image(), written);
    EXPECT_EQ(link->Device().ArchiveErasures(), erase ? 1 : 0);
  }
}

// ---- Line speed and noise ----

TEST(LineSpeed, ToolAt9600AgainstInstrumentAt4800GetsNoAnswer) {
  auto link = EmulatedLink::HeatCalculator({.typeIndex = kL2Index}, 9600);
  EXPECT_EQ(ErrorOf([&] { link->link.IdentifyDevice(); }), kNoAnswer);
  EXPECT_EQ(link->emulator.Line().LostBytes(), Bytes{5});
  EXPECT_TRUE(link->Device().Heard().empty());
}

TEST(LineSpeed, ReplyAtAnotherSpeedIsNotUnderstood) {
  auto link = IdentifiedL2();
  link->Device().Arm(Fault::ReplyAtOtherSpeed, 4);
  EXPECT_EQ(ErrorOf([&] { link->link.ReadSettings(); }), kTransferError);
  EXPECT_EQ(link->Device().Heard(), Bytes{4});
  EXPECT_TRUE(link->emulator.Line().LostBytes().empty());
}

TEST(LineSpeed, StrayBytesAfterIdentificationDoNotReachTheNextExchange) {
  auto link = EmulatedLink::HeatCalculator({.typeIndex = kL2Index});
  const Bytes image = Pattern(link->Device().SettingsLength(), 0x02);
  link->Device().SetImage(image);
  link->Device().Arm(Fault::StrayBytes, 5);
  link->link.IdentifyDevice();
  EXPECT_EQ(link->state.TypeIndex, kL2Index);
  link->link.ReadSettings();
  EXPECT_EQ(BufferHead(*link, static_cast<int>(image.size())), image);
  EXPECT_EQ(link->Device().Heard(), (Bytes{5, 4, 4}));
}

// ---- Exchanges without reply ----

// Measures the wall clock: runs alone (tests/link/CMakeLists.txt).
TEST(EchoOnlyExchange, CompletesRightAfterTheEcho) {
  // A VRX-L1, which answers command 3 with the echo alone (the other models add their supply).
  auto link = EmulatedLink::HeatCalculator({.typeIndex = 1});
  link->link.IdentifyDevice();
  auto& calculator = static_cast<sim::HeatCalculator&>(link->Device());
  for (uint8_t command : {3, 13, 128}) {
    SCOPED_TRACE(int(command));
    link->Device().ClearHeard();
    const auto start = Clock::now();
    link->link.DeviceExchange(command, {}, {}, true, 0);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(EmulatedLink::kReadTimeoutMs / 2));
    EXPECT_EQ(link->Device().Heard(), Bytes{command});
  }
  EXPECT_EQ(calculator.InitModeExits(), 1);

  // The echo is read and checked, not merely waited for.
  link->Device().Arm(Fault::WrongEcho, 3);
  EXPECT_EQ(ErrorOf([&] { link->link.DeviceExchange(3, {}, {}, true, 0); }), kTransferError);
  // Without the check the same distorted echo goes unnoticed.
  link->Device().Arm(Fault::WrongEcho, 3);
  EXPECT_EQ(ErrorOf([&] { link->link.DeviceExchange(3, {}, {}, false, 0); }), "<no error>");
}

}  // namespace
}  // namespace vrx::test
