#include "current/CurrentReadout.h"

#include <array>
#include <span>

#include "current/CurrentBlock.h"
#include "current/CurrentDecoder.h"
#include "model/Errors.h"

namespace vrx {

namespace {

const char* const kChecksumMismatch = "Несовпадение контрольной суммы";
const char* const kConnectAdapter = "Подключите адаптер OPX к порту ПК";

constexpr uint8_t kCmdClock = 6;
constexpr uint8_t kCmdCurrent = 8;
constexpr uint8_t kCmdEnd = 13;
constexpr uint8_t kCmdAdapterWake = 0x80;
constexpr uint8_t kEndByte = 0x0D;
constexpr int kAdapterTimeoutMs = 7000;
constexpr int kLinkTimeoutMs = 1500;

// Runs the exchange; afterwards, also when it failed, closes the reading with command 13. The
// exchange's own error is the one reported.
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

// The adapter sleeps until woken; the instrument behind it may take long for the first answer.
void WakeOpx(Connection& c, Messages& messages) {
  if (!c.port.DsrActive())
    messages.ShowInfo(QString::fromUtf8(kConnectAdapter));
  c.link.WakeAdapter(c.port.BaudRate() == 4800 ? 0 : 1);
  c.port.SetReadTimeout(kAdapterTimeoutMs);
  ThenAlways([&] { c.link.DeviceExchange(kCmdAdapterWake, {}, {}, true, 0); },
             [&] { c.port.SetReadTimeout(kLinkTimeoutMs); });
}

void CheckBlock(Connection& c, int length) {
  if (!BlockChecksumMatches(c.buffer.data(), length))
    throw EOwned(kChecksumMismatch);
}

void ReadBlock(Connection& c, uint8_t command, int length, bool endByte) {
  ThenAlways(
      [&] { c.link.DeviceExchange(command, {}, std::span<uint8_t>(c.buffer.bytes), true, length); },
      [&] {
        c.link.DeviceExchange(kCmdEnd, {}, {}, true, 0);
        if (endByte)
          c.port.WriteByte(kEndByte);
      });
  CheckBlock(c, length);
}

// The module forwards the block behind one leading byte, which is dropped.
void ReadForwarded(Connection& c, void (ModbusLink::*request)(), int length) {
  (c.modbus.*request)();
  c.modbus.CopyForwardedBlock(c.buffer);
  CheckBlock(c, length);
}

}  // namespace

void ReadCurrentParams(Connection& c, CurrentPath path, Messages& messages,
                       CurrentDisplay& display) {
  if (path == CurrentPath::Opx)
    WakeOpx(c, messages);
  if (path == CurrentPath::Interface)
    ReadForwarded(c, &ModbusLink::ReadCurrentHeaderRS, kClockBlockLength);
  else
    ReadBlock(c, kCmdClock, kClockBlockLength, false);
  // The buffer takes the current-parameters block next.
  std::array<uint8_t, kClockBlockLength> clock{};
  std::copy_n(c.buffer.bytes.begin(), kClockBlockLength, clock.begin());
  ShowClocks(clock.data(), display);

  const BlockFamily family = FamilyOfClockBlock(clock.data());
  if (path == CurrentPath::Interface)
    ReadForwarded(c, &ModbusLink::ReadCurrentBlockRS, family.length);
  else
    ReadBlock(c, kCmdCurrent, family.length, true);
  DecodeCurrentBlock(c.buffer.data(), family, c.state, display);
}

}  // namespace vrx
