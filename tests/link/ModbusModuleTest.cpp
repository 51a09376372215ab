// The Modbus link end to end: the tool on a real pseudo-terminal, a heat calculator and an
// interface module at its own speed on the other side. After every transaction, failed or not,
// the line must be back at the link speed (the emulator's record of the line speed says so) and
// the instrument must answer the direct link again.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/EmulatedLink.h"
#include "support/LinkTestSupport.h"

namespace vrx::test {
namespace {

using sim::ModuleFault;
const char* const kTransferError = "Ошибка приемо/прередачи";
const char* const kNoAnswer = "Нет ответа от прибора";

// Records every pause and lasts only until the line falls quiet (at most the pause itself), so
// that a reply's last bytes arrive before the purge that follows a pause, as they would in the
// full pause.
class ShortPacer : public Pacer {
 public:
  explicit ShortPacer(const sim::PtyLine& line) : line_(line) {}
  void Wait(int ms) override {
    waits.push_back(ms);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (line_.Sending() && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  void PumpMessages() override {}
  std::vector<int> waits;

 private:
  const sim::PtyLine& line_;
};

// A heat calculator that hands a forwarded clock block of 13 bytes to the module.
class ForwardingCalculator : public sim::HeatCalculator {
 protected:
  std::vector<uint8_t> ForwardedBlock(uint8_t function) override {
    if (function != 0x50)
      return {};
    return Pattern(13, 0x30);
  }
};

// A heat calculator that has no block to hand the module (the emulated one has both).
class NonForwardingCalculator : public sim::HeatCalculator {
 protected:
  std::vector<uint8_t> ForwardedBlock(uint8_t) override { return {}; }
};

struct ModuleLine {
  std::unique_ptr<EmulatedLink> link;
  ShortPacer pacer{link->emulator.Line()};
  PlainCursor cursor;
  ModbusLink modbus;

  explicit ModuleLine(std::unique_ptr<EmulatedLink> l)
      : link(std::move(l)), modbus(link->port, link->modbusBuffer, pacer, cursor) {}
  explicit ModuleLine(uint32_t moduleBaud = 38400)
      : ModuleLine(
            std::make_unique<EmulatedLink>(std::make_unique<NonForwardingCalculator>(), 4800,
                                           sim::InterfaceModuleConfig{.baudRate = moduleBaud})) {
    modbus.SetInterfaceBaud(moduleBaud);
  }

  void ExpectBackOnTheDirectLink() {
    EXPECT_EQ(link->emulator.Line().LineSpeed(), 4800u);
    EXPECT_EQ(link->port.BaudRate(), 4800u);
    EXPECT_NO_THROW(link->link.IdentifyDevice());
  }
};

TEST(ModbusModule, ReadsAndWritesTheSettingsAtEverySpeed) {
  for (uint32_t baud : {4800u, 9600u, 19200u, 38400u}) {
    SCOPED_TRACE(baud);
    ModuleLine m(baud);
    m.modbus.ClearModbusBuffer();
    m.modbus.ReadInterfaceId();
    EXPECT_EQ(HexText(m.link->modbusBuffer.data() + 2, 9), "0800FF000002010104");
    m.modbus.ClearModbusBuffer();
    m.modbus.ReadInterfaceSettings();
    EXPECT_EQ(m.link->modbusBuffer.ByteCount(), 70);
    const auto defaults = sim::InterfaceModule::DefaultRegisters();
    EXPECT_TRUE(std::equal(defaults.begin(), defaults.end(), m.link->modbusBuffer.data() + 3));

    m.modbus.ClearModbusBuffer();
    for (int i = 0; i < 70; ++i)
      m.link->modbusBuffer.bytes[7 + i] = static_cast<uint8_t>(0x40 + i);
    m.modbus.WriteInterfaceSettings({});
    EXPECT_EQ(m.link->Module().RegisterBlock()[69], 0x40 + 69);
    EXPECT_EQ(m.link->Module().Frames().back().size(), 79u);
    EXPECT_EQ(m.pacer.waits, std::vector<int>(6, 200));
    if (baud != 4800) {
      m.ExpectBackOnTheDirectLink();
      continue;
    }
    // At the instrument's own speed the module owns the line: the instrument hears nothing.
    EXPECT_EQ(m.link->emulator.Line().LineSpeed(), 4800u);
    EXPECT_EQ(ErrorOf([&] { m.link->link.IdentifyDevice(); }), kNoAnswer);
  }
}

TEST(ModbusModule, FailuresEndAtTheLinkSpeed) {
  struct Case {
    const char* label;
    ModuleFault fault;
    int times;
    void (*request)(ModbusLink&);
    const char* error;
    std::vector<int> waits;
  };
  const Case cases[] = {
      {"no reply",
       ModuleFault::NoReply,
       1,
       [](ModbusLink& l) { l.ReadInterfaceId(); },
       kNoAnswer,
       {200, 200}},
      {"one exception reply",
       ModuleFault::ExceptionReply,
       1,
       [](ModbusLink& l) { l.ReadInterfaceSettings(); },
       "<no error>",
       {200, 4000, 200}},
      {"two exception replies",
       ModuleFault::ExceptionReply,
       2,
       [](ModbusLink& l) { l.ReadInterfaceId(); },
       "<no error>",
       {200, 4000, 4000, 200}},
      {"three exception replies",
       ModuleFault::ExceptionReply,
       3,
       [](ModbusLink& l) { l.ReadInterfaceSettings(); },
       kTransferError,
       {200, 4000, 4000, 200}},
      {"write reply with another start and quantity",
       ModuleFault::WriteEchoMismatch,
       1,
       [](ModbusLink& l) { l.WriteInterfaceSettings({}); },
       kTransferError,
       {200, 200}},
      {"oversized byte count",
       ModuleFault::OversizedCount,
       1,
       [](ModbusLink& l) { l.ReadInterfaceSettings(); },
       kTransferError,
       {200, 200}},
      {"instrument without the forwarded block",
       ModuleFault::NoReply,
       0,
       [](ModbusLink& l) { l.ReadCurrentBlockRS(); },
       kTransferError,
       {200, 4000, 4000, 200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ModuleLine m;
    m.link->Module().Arm(c.fault, c.times);
    m.modbus.ClearModbusBuffer();
    EXPECT_EQ(ErrorOf([&] { c.request(m.modbus); }), c.error);
    EXPECT_EQ(m.pacer.waits, c.waits);
    m.ExpectBackOnTheDirectLink();
  }
}

TEST(ModbusModule, ForwardsTheInstrumentsBlockBehindTheLeadingByte) {
  auto forwarding = std::make_unique<EmulatedLink>(std::make_unique<ForwardingCalculator>(), 4800,
                                                   sim::InterfaceModuleConfig{});
  ShortPacer pacer(forwarding->emulator.Line());
  PlainCursor cursor;
  ModbusLink modbus(forwarding->port, forwarding->modbusBuffer, pacer, cursor);
  modbus.ReadCurrentHeaderRS();
  EXPECT_EQ(forwarding->modbusBuffer.ByteCount(), 14);
  EXPECT_EQ(forwarding->modbusBuffer.bytes[3], 6);  // the instrument's echo of its command 6
  EXPECT_EQ(modbus.CopyForwardedBlock(forwarding->buffer), 13);
  EXPECT_EQ(Bytes(forwarding->buffer.bytes.begin(), forwarding->buffer.bytes.begin() + 13),
            Pattern(13, 0x30));
}

// Measures the wall clock: runs alone (tests/link/CMakeLists.txt).
TEST(ModbusModule, ExceptionReplyIsRetriedAfterFourSecondsInRealTime) {
  auto link = EmulatedLink::WithModule();
  link->Module().Arm(ModuleFault::ExceptionReply, 1);
  const auto start = std::chrono::steady_clock::now();
  link->modbus.ReadInterfaceId();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::milliseconds(4400));
  EXPECT_LT(elapsed, std::chrono::milliseconds(6000));
  EXPECT_EQ(link->Module().Frames().size(), 2u);
  EXPECT_EQ(link->emulator.Line().LineSpeed(), 4800u);
}

}  // namespace
}  // namespace vrx::test
