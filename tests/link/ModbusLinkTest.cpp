// The Modbus link over a fake port and a virtual clock: the frames it sends, the order of the
// calls on the line (reopen at the module's speed, retries, return to the link speed) and the
// replies it refuses.

#include <gtest/gtest.h>

#include "link/ModbusLink.h"
#include "support/LinkTestSupport.h"

namespace vrx::test {
namespace {

const char* const kTransferError = "Ошибка приемо/прередачи";
const char* const kNoAnswer = "Нет ответа от прибора";
const char* const kPortClosed = "COM-порт не открыт";

struct FakeModule {
  FakeLine line;
  VirtualPacer pacer{line.log};
  RecordingCursor cursor;
  // On the heap and alone, so that the sanitizer build sees a byte stored past its end.
  std::unique_ptr<ModbusBuffer> owned = std::make_unique<ModbusBuffer>();
  ModbusBuffer& buffer = *owned;
  ModbusLink modbus{line.port, buffer, pacer, cursor};

  FakeModule() {
    line.port.Open(2, 4800, 1500);
    line.log.clear();
  }
  void Answer(const Bytes& bytes) { line.backend->incoming.assign(bytes.begin(), bytes.end()); }
  Bytes Head(int n) const { return Bytes(buffer.bytes.begin(), buffer.bytes.begin() + n); }
};

const EventLog kToModule = {"close", "open /dev/ttyS1 38400", "wait 200"};
const EventLog kBackToLink = {"close", "open /dev/ttyS1 4800", "wait 200"};

EventLog Around(const EventLog& middle) {
  EventLog all = kToModule;
  all.insert(all.end(), middle.begin(), middle.end());
  all.insert(all.end(), kBackToLink.begin(), kBackToLink.end());
  return all;
}

TEST(ModbusLink, CrcOfTheCheckDigits) {
  FakeModule m;
  const char digits[] = "123456789";
  std::copy(digits, digits + 9, m.buffer.bytes.begin());
  EXPECT_EQ(m.modbus.ModbusCrc16(9), 0x4B37);
}

TEST(ModbusLink, BuildersSendTheirFramesAndStoreTheReply) {
  Bytes settings(70);
  settings[1] = 0x2A;
  struct Case {
    const char* label;
    void (ModbusLink::*builder)();
    Bytes answer;
    const char* sent;
    Bytes stored;  // offsets 0.. after the transaction
  };
  const Case cases[] = {
      {"identification",
       &ModbusLink::ReadInterfaceId,
       {0x00, 0x11, 2, 0xAA, 0xBB, 0x12, 0x34},
       "0011C1BC",
       {0x00, 0x11, 2, 0xAA, 0xBB, 0x12, 0x34}},
      {"settings, reply address not checked", &ModbusLink::ReadInterfaceSettings,
       Concat({0x07, 0x03, 70}, Concat(settings, {0xC1, 0xC2})), "00030000002305C2",
       Concat({0x00, 0x03, 70}, settings)},
      {"clock block",
       &ModbusLink::ReadCurrentHeaderRS,
       {0x00, 0x50, 1, 6, 0, 0},
       "0050018C",
       {0x00, 0x50, 1, 6}},
      {"byte count 0 reads only the CRC",
       &ModbusLink::ReadCurrentBlockRS,
       {0x00, 0x51, 0, 9, 9},
       "0051C04C",
       {0x00, 0x51, 0, 9, 9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    FakeModule m;
    m.Answer(c.answer);
    (m.modbus.*c.builder)();
    const int rest = static_cast<int>(c.answer.size()) - 3;
    EXPECT_EQ(m.line.log,
              Around({"purge", std::string("write ") + c.sent, "read 1 2000", "read 1 2000",
                      "read 1 2000", "read " + std::to_string(rest) + " 2000"}));
    EXPECT_EQ(m.Head(static_cast<int>(c.stored.size())), c.stored);
    EXPECT_TRUE(m.line.backend->incoming.empty());
    EXPECT_EQ(m.cursor.sets, (std::vector{CursorShape::Wait, CursorShape::Normal}));
  }
}

TEST(ModbusLink, WriteSendsTheWholeFrameAndChecksTheEcho) {
  const Bytes good = {0x00, 0x10, 0x00, 0x00, 0x00, 0x23, 0xEE, 0xEE};
  struct Case {
    const char* label;
    Bytes answer;
    const char* error;
  };
  const Case cases[] = {
      {"start and quantity repeated", good, "<no error>"},
      {"another function", {0x00, 0x03, 0x00, 0x00, 0x00, 0x23, 0, 0}, kTransferError},
      {"another start", {0x00, 0x10, 0x00, 0x01, 0x00, 0x23, 0, 0}, kTransferError},
      {"another quantity", {0x00, 0x10, 0x00, 0x00, 0x00, 0x22, 0, 0}, kTransferError},
      {"quantity high byte", {0x00, 0x10, 0x00, 0x00, 0x01, 0x23, 0, 0}, kTransferError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    FakeModule m;
    m.modbus.ClearModbusBuffer();
    for (int i = 0; i < 70; ++i)
      m.buffer.bytes[7 + i] = static_cast<uint8_t>(i + 1);
    m.Answer(c.answer);
    EXPECT_EQ(ErrorOf([&] { m.modbus.WriteInterfaceSettings({}); }), c.error);
    ASSERT_GE(m.line.log.size(), 5u);
    const std::string frame = m.line.log[4].substr(6);
    EXPECT_EQ(frame.size(), 2u * 79);
    EXPECT_EQ(frame.substr(0, 14), "00100000002346");
    EXPECT_EQ(frame.substr(14, 4), "0102");
    EXPECT_EQ(m.line.log.back(), "wait 200");
    EXPECT_EQ(m.line.log[m.line.log.size() - 2], "open /dev/ttyS1 4800");
  }
}

TEST(ModbusLink, ExceptionRepliesAreRetriedAfterFourSecondsThreeRequestsAtMost) {
  const Bytes normal = {0x00, 0x11, 0x00, 0x11, 0x22};
  const EventLog oneRequest = {"purge", "write 0011C1BC", "read 1 2000", "read 1 2000",
                               "read 1 2000"};
  struct Case {
    const char* label;
    int exceptions;
    const char* error;
  };
  const Case cases[] = {
      {"one exception, then a reply", 1, "<no error>"},
      {"two exceptions, then a reply", 2, "<no error>"},
      {"three exceptions", 3, kTransferError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    FakeModule m;
    Bytes answer;
    for (int i = 0; i < c.exceptions; ++i)
      answer = Concat(answer, {0x00, 0x91, 0x04});  // the CRC of each is purged before the retry
    if (c.exceptions < 3)
      answer = Concat(answer, normal);
    m.Answer(answer);
    EXPECT_EQ(ErrorOf([&] { m.modbus.ReadInterfaceId(); }), c.error);
    EventLog middle;
    for (int i = 0; i < std::min(c.exceptions + 1, 3); ++i) {
      if (i > 0)
        middle.push_back("wait 4000");
      middle.insert(middle.end(), oneRequest.begin(), oneRequest.end());
    }
    if (c.exceptions < 3)
      middle.push_back("read 2 2000");
    EXPECT_EQ(m.line.log, Around(middle));
  }
}

TEST(ModbusLink, FailuresLeaveThePortAtTheLinkSpeedAndNothingOutsideTheBuffer) {
  struct Case {
    const char* label;
    Bytes answer;
    const char* error;
    EventLog tail;  // the calls after the three single-byte reads
  };
  const Case cases[] = {
      {"no reply", {}, kNoAnswer, {}},
      {"reply cut short", {0x00, 0x03, 4, 1, 2}, kNoAnswer, {"read 6 2000"}},
      {"largest count that fits",
       Concat({0x00, 0x03, 251}, Bytes(253, 0x5A)),
       "<no error>",
       {"read 253 2000"}},
      {"byte count past the buffer",
       Concat({0x00, 0x03, 252}, Bytes(254, 0x5A)),
       kTransferError,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    FakeModule m;
    m.Answer(c.answer);
    EXPECT_EQ(ErrorOf([&] { m.modbus.ReadInterfaceSettings(); }), c.error);
    EXPECT_TRUE(m.line.port.IsOpen());
    EXPECT_EQ(m.line.port.BaudRate(), 4800u);
    EXPECT_EQ(m.line.port.ReadTimeout(), 2000);
    EXPECT_EQ(m.line.log.back(), "wait 200");
    const EventLog& log = m.line.log;
    auto reads = std::count_if(log.begin(), log.end(),
                               [](const std::string& e) { return e.starts_with("read "); });
    EXPECT_EQ(reads, (c.answer.empty() ? 1 : 3) + static_cast<long>(c.tail.size()));
  }
}

TEST(ModbusLink, ModuleSpeedIsSetOnTheLinkAndAClosedPortIsNotTouched) {
  FakeModule m;
  m.modbus.SetInterfaceBaud(9600);
  m.Answer({0x00, 0x11, 0, 0, 0});
  m.modbus.ReadInterfaceId();
  EXPECT_EQ(m.line.log[1], "open /dev/ttyS1 9600");

  m.line.port.Close();
  m.line.log.clear();
  EXPECT_EQ(ErrorOf([&] { m.modbus.ReadInterfaceId(); }), kPortClosed);
  EXPECT_TRUE(m.line.log.empty());
}

TEST(ModbusLink, ForwardedBlockIsCopiedOnlyWhenItFitsTheInstrumentBuffer) {
  struct Case {
    int count;
    int copied;  // -1: refused
  };
  for (const Case c :
       {Case{0, 0}, Case{1, 0}, Case{14, 13}, Case{129, 128}, Case{130, -1}, Case{251, -1}}) {
    SCOPED_TRACE(c.count);
    FakeModule m;
    m.buffer.bytes[2] = static_cast<uint8_t>(c.count);
    for (int i = 3; i < ModbusBuffer::kSize; ++i)
      m.buffer.bytes[i] = static_cast<uint8_t>(i);
    InstrumentBuffer target;
    target.bytes.fill(0xEE);
    if (c.copied < 0) {
      EXPECT_EQ(ErrorOf([&] { m.modbus.CopyForwardedBlock(target); }), kTransferError);
      EXPECT_EQ(target.bytes[0], 0xEE);
      continue;
    }
    EXPECT_EQ(m.modbus.CopyForwardedBlock(target), c.copied);
    if (c.copied > 0) {
      EXPECT_EQ(target.bytes[0], 4);  // the leading byte at offset 3 is dropped
      EXPECT_EQ(target.bytes[c.copied - 1], c.copied + 3);
    }
    if (c.copied < InstrumentBuffer::kSize) {
      EXPECT_EQ(target.bytes[c.copied], 0xEE);
    }
  }
}

}  // namespace
}  // namespace vrx::test
