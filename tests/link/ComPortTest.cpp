#include "link/ComPort.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "support/LinkTestSupport.h"

namespace vrx::test {
namespace {

const char* const kPortClosed = "COM-порт не открыт";
const char* const kNoAnswer = "Нет ответа от прибора";

TEST(ComPort, OpenResolvesTheNumberAndKeepsTheSpeedAndTimeout) {
  FakeLine line;
  line.port.Open(12, 9600, 1500);
  EXPECT_TRUE(line.port.IsOpen());
  EXPECT_EQ(line.port.PortNumber(), 12);
  EXPECT_TRUE(line.port.LastOpenError().isEmpty());
  line.backend->incoming = {0x42};
  EXPECT_EQ(line.port.ReadByte(), 0x42);
  EXPECT_EQ(line.log, (EventLog{"open /dev/ttyS11 9600", "read 1 1500"}));
}

TEST(ComPort, ReadOfNothingReturnsAtOnceWithoutTouchingTheLine) {
  FakeLine line;
  line.port.Open(1, 4800, 1500);
  line.log.clear();
  uint8_t buffer[1] = {0x77};
  EXPECT_EQ(line.port.Read(buffer, 0), 0);
  EXPECT_TRUE(line.log.empty());
  EXPECT_EQ(buffer[0], 0x77);
}

TEST(ComPort, ShortReadRaisesNoAnswerAndKeepsWhatCame) {
  FakeLine line;
  line.port.Open(1, 4800, 1500);
  line.backend->incoming = {0xAA};
  uint8_t buffer[3] = {0, 0, 0};
  try {
    line.port.Read(buffer, 3);
    FAIL() << "a short read must raise";
  } catch (const EComPort& e) {
    EXPECT_STREQ(e.what(), kNoAnswer);
  }
  EXPECT_EQ(Bytes(buffer, buffer + 3), (Bytes{0xAA, 0, 0}));

  EXPECT_EQ(ErrorOf([&] { line.port.ReadByte(); }), kNoAnswer);
}

TEST(ComPort, ReopenAfterRaisingTheTimeoutKeepsNumberSpeedAndTimeout) {
  FakeLine line;
  line.port.Open(2, 9600, 1500);
  line.port.SetReadTimeout(7000);
  line.log.clear();
  line.port.Reopen();
  EXPECT_TRUE(line.port.IsOpen());
  EXPECT_EQ(line.port.ReadTimeout(), 7000);
  line.backend->incoming = {0x80};
  line.port.ReadByte();
  EXPECT_EQ(line.log, (EventLog{"close", "open /dev/ttyS1 9600", "read 1 7000"}));

  // And back, as the adapter readouts do after the wake-up exchange.
  line.port.SetReadTimeout(1500);
  line.port.Reopen();
  line.log.clear();
  line.backend->incoming = {0x80};
  line.port.ReadByte();
  EXPECT_EQ(line.log, (EventLog{"read 1 1500"}));
}

TEST(ComPort, CloseAndReopenOnAClosedPortDoNothing) {
  FakeLine never;
  EXPECT_NO_THROW(never.port.Close());
  EXPECT_NO_THROW(never.port.Reopen());
  EXPECT_FALSE(never.port.IsOpen());
  EXPECT_TRUE(never.log.empty());

  FakeLine closed;
  closed.port.Open(1, 4800, 1500);
  closed.port.Close();
  EXPECT_NO_THROW(closed.port.Close());
  EXPECT_NO_THROW(closed.port.Reopen());
  EXPECT_FALSE(closed.port.IsOpen());
  EXPECT_EQ(closed.log, (EventLog{"open /dev/ttyS0 4800", "close"}));
}

TEST(ComPort, LineOperationsOnAClosedPortRaisePortNotOpen) {
  struct Operation {
    const char* name;
    std::function<void(TComPort&)> run;
  };
  uint8_t buffer[4] = {};
  const Operation operations[] = {
      {"Read", [&](TComPort& p) { p.Read(buffer, 1); }},
      {"Read0", [&](TComPort& p) { p.Read(buffer, 0); }},
      {"ReadByte", [](TComPort& p) { p.ReadByte(); }},
      {"Write", [&](TComPort& p) { p.Write(buffer, 2); }},
      {"WriteByte", [](TComPort& p) { p.WriteByte(5); }},
      {"PurgeInput", [](TComPort& p) { p.PurgeInput(); }},
      {"SetReadTimeout", [](TComPort& p) { p.SetReadTimeout(7000); }},
      {"SetRts", [](TComPort& p) { p.SetRts(); }},
      {"ClearRts", [](TComPort& p) { p.ClearRts(); }},
      {"DsrActive", [](TComPort& p) { p.DsrActive(); }},
      {"CheckOpen", [](TComPort& p) { p.CheckOpen(); }},
  };
  for (const Operation& op : operations) {
    for (bool openedBefore : {false, true}) {
      SCOPED_TRACE(std::string(op.name) + (openedBefore ? " after Close" : " never opened"));
      FakeLine line;
      if (openedBefore) {
        line.port.Open(1, 4800, 1500);
        line.port.Close();
      }
      line.log.clear();
      try {
        op.run(line.port);
        ADD_FAILURE() << "no error raised";
      } catch (const EComPort& e) {
        EXPECT_STREQ(e.what(), kPortClosed);
      }
      EXPECT_TRUE(line.log.empty());
    }
  }
}

TEST(ComPort, FailedOpenIsSilentAndTheNextOperationGivesTheDeviceAndTheReason) {
  FakeLine line;
  line.backend->openSucceeds = false;
  line.backend->openFailure = QStringLiteral("Permission denied");
  EXPECT_NO_THROW(line.port.Open(3, 4800, 1500));
  EXPECT_FALSE(line.port.IsOpen());
  EXPECT_EQ(line.port.LastOpenError(), QStringLiteral("Permission denied"));
  EXPECT_EQ(ErrorOf([&] { line.port.PurgeInput(); }),
            "COM-порт не открыт\n/dev/ttyS2: Permission denied");
  EXPECT_EQ(line.log, (EventLog{"open /dev/ttyS2 4800"}));

  // A failure without a reason from the system still leaves something to show.
  line.backend->openFailure.clear();
  line.port.Open(3, 4800, 1500);
  EXPECT_FALSE(line.port.LastOpenError().isEmpty());

  line.backend->openSucceeds = true;
  line.port.Open(3, 4800, 1500);
  EXPECT_TRUE(line.port.IsOpen());
  EXPECT_TRUE(line.port.LastOpenError().isEmpty());
}

TEST(ComPort, DsrActiveReportsTheLine) {
  FakeLine line;
  line.port.Open(1, 4800, 1500);
  for (bool dsr : {true, false}) {
    line.backend->dsr = dsr;
    EXPECT_EQ(line.port.DsrActive(), dsr);
  }
}

// ---- Port naming ----

TEST(PortNaming, OverrideBeatsSettingBeatsTtyS) {
  struct Case {
    const char* label;
    int port;
    std::optional<int> overridePort;  // the port an override is given for
    const char* setting;              // the per-user setting of every port, "" for none
    const char* expected;
  };
  const Case cases[] = {
      {"default COM1", 1, std::nullopt, "", "/dev/ttyS0"},
      {"default COM4", 4, std::nullopt, "", "/dev/ttyS3"},
      {"default COM10", 10, std::nullopt, "", "/dev/ttyS9"},
      {"setting", 2, std::nullopt, "/dev/ttyUSB0", "/dev/ttyUSB0"},
      {"override over setting", 2, 2, "/dev/ttyUSB0", "/dev/pts/7"},
      {"override of another port", 2, 3, "/dev/ttyUSB0", "/dev/ttyUSB0"},
      {"override without setting", 3, 3, "", "/dev/pts/7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<int> asked;
    PortNaming naming([&](int n) {
      asked.push_back(n);
      return QString::fromUtf8(c.setting);
    });
    if (c.overridePort)
      naming.SetOverride(*c.overridePort, QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(naming.Resolve(c.port).toStdString(), c.expected);
    for (int n : asked)
      EXPECT_EQ(n, c.port);
  }
}

TEST(PortNaming, ParsesTheComOption) {
  struct Case {
    const char* option;
    bool accepted;
    int port;
    const char* device;
  };
  const Case cases[] = {
      {"1=/dev/pts/5", true, 1, "/dev/pts/5"},
      {"12=/dev/ttyUSB3", true, 12, "/dev/ttyUSB3"},
      {"2=name=with=equals", true, 2, "name=with=equals"},
      {"=/dev/pts/5", false, 0, ""},
      {"3=", false, 3, ""},
      {"x=/dev/pts/5", false, 0, ""},
      {"0=/dev/pts/5", false, 0, ""},
      {"-1=/dev/pts/5", false, 0, ""},
      {"256=/dev/pts/5", false, 0, ""},
      {"/dev/pts/5", false, 0, ""},
      {"", false, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    PortNaming naming([](int) { return QString(); });
    EXPECT_EQ(naming.AddOverrideFromOption(QString::fromUtf8(c.option)), c.accepted);
    if (c.accepted) {
      EXPECT_EQ(naming.Resolve(c.port).toStdString(), c.device);
    } else if (c.port > 0) {
      EXPECT_EQ(naming.Resolve(c.port), QStringLiteral("/dev/ttyS%1").arg(c.port - 1));
    }
  }
}

}  // namespace
}  // namespace vrx::test
