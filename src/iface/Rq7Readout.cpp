#include "iface/Rq7Readout.h"

#include <span>

#include "model/Errors.h"

namespace vrx {

namespace {

const char* const kConnectAdapter = "Подключите адаптер OPX к порту ПК";

constexpr uint8_t kCmdClock = 6;
constexpr uint8_t kCmdValues = 8;
constexpr uint8_t kCmdEnd = 13;
constexpr uint8_t kCmdAdapterWake = 0x80;
constexpr uint8_t kEndByte = 0x0D;
constexpr int kAdapterTimeoutMs = 7000;
constexpr int kLinkTimeoutMs = 1500;
constexpr uint32_t kAdapterSlowBaud = 4800;

// Runs the exchange; afterwards, also when it failed, runs `after`. The exchange's own error is
// the one reported.
template <typename Exchange, typename After>
void ThenAlways(Exchange exchange, After after) {
  try {
    exchange();
  } catch (...) {
    try {
      after();
    } catch (const EOwned&) {
    }
    throw;
  }
  after();
}

// The adapter sleeps until woken; the unit behind it may take long for the first answer.
void WakeOpx(Connection& c, Messages& messages) {
  if (!c.port.DsrActive())
    messages.ShowInfo(QString::fromUtf8(kConnectAdapter));
  c.link.WakeAdapter(c.port.BaudRate() == kAdapterSlowBaud ? 0 : 1);
  c.port.SetReadTimeout(kAdapterTimeoutMs);
  ThenAlways([&] { c.link.DeviceExchange(kCmdAdapterWake, {}, {}, true, 0); },
             [&] { c.port.SetReadTimeout(kLinkTimeoutMs); });
}

void ReadBlock(Connection& c, Rq7Path path, uint8_t command, int length) {
  if (path == Rq7Path::Interface) {
    // The module forwards the block behind one leading byte, which is dropped.
    if (command == kCmdClock)
      c.modbus.ReadCurrentHeaderRS();
    else
      c.modbus.ReadCurrentBlockRS();
    c.modbus.CopyForwardedBlock(c.buffer);
  } else {
    ThenAlways(
        [&] {
          c.link.DeviceExchange(command, {}, std::span<uint8_t>(c.buffer.bytes), true, length);
        },
        [&] {
          c.link.DeviceExchange(kCmdEnd, {}, {}, true, 0);
          // After the values block the unit also takes a lone end byte.
          if (command == kCmdValues)
            c.port.WriteByte(kEndByte);
        });
  }
  CheckBlockSum(c.buffer.data(), length);
}

}  // namespace

void ReadRq7Values(Connection& c, Rq7Path path, Messages& messages, Rq7ValuesDisplay& display) {
  if (path == Rq7Path::Opx)
    WakeOpx(c, messages);
  ReadBlock(c, path, kCmdClock, kRq7ClockLength);
  ShowRq7Clock(c.buffer.data(), display);
  ReadBlock(c, path, kCmdValues, kRq7ValuesLength);
  ShowRq7Values(c.buffer.data(), display);
}

}  // namespace vrx
