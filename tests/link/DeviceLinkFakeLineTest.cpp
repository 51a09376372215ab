// The device link over a fake port and a virtual clock: the order of the calls on the line,
// the adapter wake-up pulse and the cursor.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "link/DeviceLink.h"
#include "support/LinkTestSupport.h"

namespace vrx::test {
namespace {

struct FakeDevice {
  FakeLine line;
  VirtualPacer pacer{line.log};
  RecordingCursor cursor;
  ConnectionState state;
  InstrumentBuffer buffer;
  DeviceLink link{line.port, state, buffer, pacer, cursor};

  explicit FakeDevice(CursorShape initialCursor = CursorShape::Normal) : cursor(initialCursor) {
    line.port.Open(1, 4800, 1500);
    line.log.clear();
  }
  void Answer(const Bytes& bytes) { line.backend->incoming.assign(bytes.begin(), bytes.end()); }
};

TEST(DeviceExchangeOnFakeLine, PausesPurgesSendsThenReadsEchoAndReply) {
  struct Case {
    const char* label;
    uint8_t command;
    Bytes data;
    int replyLength;  // 0: no reply buffer
    bool checkEcho;
    Bytes answer;
    EventLog expected;
  };
  const Case cases[] = {
      {"echo only", 3, {}, 0, true, {3}, {"wait 50", "purge", "write 03", "read 1 1500"}},
      {"no echo check, no reply", 128, {}, 0, false, {}, {"wait 50", "purge", "write 80"}},
      {"reply without echo check",
       6,
       {},
       2,
       false,
       {0xAB, 0xCD},
       {"wait 50", "purge", "write 06", "read 2 1500"}},
      {"reply after echo",
       1,
       {},
       2,
       true,
       {1, 0x10, 0x20},
       {"wait 50", "purge", "write 01", "read 1 1500", "read 2 1500"}},
      {"data echoed",
       18,
       {0x01, 0x02, 0x03},
       3,
       true,
       {18, 0x01, 0x02, 0x03},
       {"wait 50", "purge", "write 12", "write 010203", "read 1 1500", "read 3 1500"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    FakeDevice device;
    device.Answer(c.answer);
    Bytes reply(c.replyLength, 0);
    EXPECT_EQ(ErrorOf([&] {
                device.link.DeviceExchange(c.command, c.data, reply, c.checkEcho, c.replyLength);
              }),
              "<no error>");
    EXPECT_EQ(device.line.log, c.expected);
    const Bytes answerTail(c.answer.end() - c.replyLength, c.answer.end());
    EXPECT_EQ(reply, answerTail);
  }
}

TEST(DeviceExchangeOnFakeLine, DataEchoIsComparedFromTheFirstByte) {
  for (int differing = 0; differing < 3; ++differing) {
    SCOPED_TRACE(differing);
    FakeDevice device;
    Bytes echo = {18, 0x01, 0x02, 0x03};
    echo[1 + differing] ^= 0x40;
    device.Answer(echo);
    const Bytes data = {0x01, 0x02, 0x03};
    Bytes reply(3, 0);
    EXPECT_EQ(ErrorOf([&] { device.link.DeviceExchange(18, data, reply, true, 3); }),
              "Ошибка приемо/передачи");
  }
}

TEST(DeviceExchangeOnFakeLine, RestoresTheCursorItFound) {
  for (CursorShape found : {CursorShape::Normal, CursorShape::Wait}) {
    for (bool fails : {false, true}) {
      SCOPED_TRACE(testing::Message()
                   << "found " << static_cast<int>(found) << ", fails " << fails);
      FakeDevice device(found);
      device.Answer({static_cast<uint8_t>(fails ? 4 : 3)});
      const std::string error = ErrorOf([&] { device.link.DeviceExchange(3, {}, {}, true, 0); });
      EXPECT_EQ(error, fails ? "Ошибка приемо/передачи" : "<no error>");
      EXPECT_EQ(device.cursor.Current(), found);
      ASSERT_FALSE(device.cursor.sets.empty());
      EXPECT_EQ(device.cursor.sets.front(), CursorShape::Wait);
    }
  }
}

TEST(DeviceExchangeOnFakeLine, RestoresTheCursorWhenThePortIsClosed) {
  FakeDevice device;
  device.line.port.Close();
  EXPECT_EQ(ErrorOf([&] { device.link.DeviceExchange(3, {}, {}, true, 0); }), "COM-порт не открыт");
  EXPECT_EQ(device.cursor.Current(), CursorShape::Normal);
  EXPECT_FALSE(device.cursor.sets.empty());
}

TEST(IdentifyOnFakeLine, KeepsTheWaitCursorUpUntilTheLastByteIsRead) {
  struct Case {
    const char* label;
    Bytes answer;
    const char* error;
  };
  const Case cases[] = {
      {"VRX-L13 with sub-version", {5, 11, 0xFE, 0x12}, "<no error>"},
      {"unknown family", {5, 13}, "Неподдерживаемая версия прибора"},
      {"version byte missing", {5, 9}, "Нет ответа от прибора"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    FakeDevice device;
    device.cursor.log = &device.line.log;
    device.Answer(c.answer);
    EXPECT_EQ(ErrorOf([&] { device.link.IdentifyDevice(); }), c.error);
    EXPECT_EQ(device.cursor.Current(), CursorShape::Normal);
    const EventLog& log = device.line.log;
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "cursor wait");
    EXPECT_EQ(log.back(), "cursor normal");
    EXPECT_EQ(std::count(log.begin(), log.end(), "cursor normal"), 1);
  }
}

// ---- Adapter wake-up ----

TEST(WakeAdapter, PulsesRtsAndSendsFfOnlyAt4800) {
  struct Case {
    int speedIndex;
    EventLog expected;
  };
  const Case cases[] = {
      {0, {"rts on", "wait 800", "rts off", "wait 100", "write FF", "wait 600", "pump"}},
      {1, {"rts on", "wait 800", "rts off", "wait 100", "wait 600", "pump"}},
  };
  for (const Case& c : cases) {
    for (CursorShape found : {CursorShape::Normal, CursorShape::Wait}) {
      SCOPED_TRACE(testing::Message() << "speed index " << c.speedIndex << ", found cursor "
                                      << static_cast<int>(found));
      FakeDevice device(found);
      device.link.WakeAdapter(c.speedIndex);
      EXPECT_EQ(device.line.log, c.expected);
      ASSERT_FALSE(device.cursor.sets.empty());
      EXPECT_EQ(device.cursor.sets.front(), CursorShape::Wait);
      EXPECT_EQ(device.cursor.Current(), CursorShape::Normal);
    }
  }
}

TEST(WakeAdapter, PutsTheArrowBackWhenThePortRaises) {
  FakeDevice device(CursorShape::Wait);
  device.line.port.Close();
  device.line.log.clear();
  EXPECT_EQ(ErrorOf([&] { device.link.WakeAdapter(0); }), "COM-порт не открыт");
  EXPECT_EQ(device.cursor.Current(), CursorShape::Normal);
  EXPECT_TRUE(device.line.log.empty());  // no pause either
}

}  // namespace
}  // namespace vrx::test
