#include "link/ValueBlockExchange.h"

#include <span>

#include "model/Errors.h"

namespace vrx {

namespace {

const char* const kConnectAdapter = "Подключите адаптер OPX к порту ПК";
const char* const kChecksumMismatch = "Несовпадение контрольной суммы";

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

}  // namespace

void WakeOpxAdapter(Connection& c, Messages& messages) {
  // The adapter is woken by an RTS pulse and found by DSR, lines a transparent gateway does not
  // carry: nothing is sent through one.
  c.port.CheckOpen();
  if (c.port.Transparent()) {
    throw EOwned(QStringLiteral("Через прозрачный шлюз %1 адаптер OPX не разбудить: линий RTS и "
                                "DSR шлюз не передает. Подключитесь по RFC 2217 (rfc2217://).")
                     .arg(c.port.DeviceName(c.port.PortNumber())));
  }
  // The adapter sleeps until woken; the instrument behind it may take long for the first answer.
  c.activity.Report(LinkStep::WakeOpx);
  if (!c.port.DsrActive())
    messages.ShowInfo(QString::fromUtf8(kConnectAdapter));
  c.link.WakeAdapter(c.port.BaudRate() == kAdapterSlowBaud ? 0 : 1);
  c.port.SetReadTimeout(kAdapterTimeoutMs);
  ThenAlways([&] { c.link.DeviceExchange(kCmdAdapterWake, {}, {}, true, 0); },
             [&] { c.port.SetReadTimeout(kLinkTimeoutMs); });
}

void ReadValueBlock(Connection& c, uint8_t command, int length, bool endByte) {
  c.activity.Report(LinkStep::ReadValues);
  ThenAlways(
      [&] { c.link.DeviceExchange(command, {}, std::span<uint8_t>(c.buffer.bytes), true, length); },
      [&] {
        c.link.DeviceExchange(kCmdEnd, {}, {}, true, 0);
        if (endByte)
          c.port.WriteByte(kEndByte);
      });
}

void ReadForwardedBlock(Connection& c, bool clockBlock) {
  if (clockBlock)
    c.modbus.ReadCurrentHeaderRS();
  else
    c.modbus.ReadCurrentBlockRS();
  c.modbus.CopyForwardedBlock(c.buffer);
}

void CheckValueBlockSum(const uint8_t* block, int length) {
  // A block too short to hold its checksum cannot match one.
  if (length < 2)
    throw EOwned(kChecksumMismatch);
  uint16_t sum = 0;
  for (int i = 0; i < length - 2; ++i)
    sum = static_cast<uint16_t>(sum + block[i]);
  if (sum != ((block[length - 2] << 8) | block[length - 1]))
    throw EOwned(kChecksumMismatch);
}

}  // namespace vrx
