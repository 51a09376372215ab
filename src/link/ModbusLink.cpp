#include "link/ModbusLink.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "model/Errors.h"

namespace vrx {

namespace {

// Every Modbus failure of the module is reported with this spelling.
const char* const kTransferError = "Ошибка приемо/прередачи";
const char* const kModuleModel = "Доп. интерфейс";

constexpr uint8_t kAddress = 0;
constexpr uint8_t kFnReportId = 0x11;
constexpr uint8_t kFnReadHolding = 0x03;
constexpr uint8_t kFnWriteMultiple = 0x10;
constexpr uint8_t kFnCurrentHeader = 0x50;
constexpr uint8_t kFnCurrentBlock = 0x51;
constexpr uint8_t kExceptionBit = 0x80;

constexpr uint16_t kSettingsRegisters = 35;
constexpr uint8_t kSettingsBytes = 2 * kSettingsRegisters;
constexpr int kWriteHeaderLength = 7;

constexpr int kReadTimeoutMs = 2000;
constexpr int kExceptionRetryPauseMs = 4000;
constexpr int kMaxRequests = 3;
constexpr int kCrcLength = 2;
// A write reply after its first three bytes: the rest of start and quantity, and the CRC.
constexpr int kWriteReplyRest = 3 + kCrcLength;

// The usual pair of CRC tables (high and low byte of the reflected 0xA001 polynomial per index),
// built by the compiler.
struct CrcTables {
  std::array<uint8_t, 256> hi{};
  std::array<uint8_t, 256> lo{};
};

constexpr CrcTables MakeCrcTables() {
  CrcTables t;
  for (int i = 0; i < 256; ++i) {
    uint16_t crc = static_cast<uint16_t>(i);
    for (int bit = 0; bit < 8; ++bit)
      crc =
          (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
    t.lo[i] = static_cast<uint8_t>(crc & 0xFF);
    t.hi[i] = static_cast<uint8_t>(crc >> 8);
  }
  return t;
}

constexpr CrcTables kCrcTables = MakeCrcTables();

}  // namespace

ModbusLink::ModbusLink(TComPort& port, ModbusBuffer& buffer, Pacer& pacer, CursorControl& cursor)
    : port_(port), buffer_(buffer), pacer_(pacer), cursor_(cursor) {}

void ModbusLink::ClearModbusBuffer() {
  buffer_.bytes.fill(0);
}

uint16_t ModbusLink::ModbusCrc16(int length) const {
  uint8_t lo = 0xFF;
  uint8_t hi = 0xFF;
  for (int i = 0; i < length; ++i) {
    const uint8_t index = lo ^ buffer_.bytes[i];
    lo = hi ^ kCrcTables.lo[index];
    hi = kCrcTables.hi[index];
  }
  return static_cast<uint16_t>(hi << 8 | lo);
}

void ModbusLink::ModbusTransaction(int requestLength) {
  if (requestLength < 2 || requestLength + kCrcLength > ModbusBuffer::kSize)
    throw std::logic_error("ModbusTransaction: request length out of the buffer");
  port_.CheckOpen();
  // A transparent gateway keeps the speed its line is set to on the gateway: a module at
  // another speed cannot be reached through it, and nothing is sent.
  if (port_.Transparent() && interfaceBaud_ != port_.BaudRate()) {
    throw EOwned(QStringLiteral("Через прозрачный шлюз %1 скорость не меняется: обмен идет на %2 "
                                "бод, а модулю интерфейса нужна %3 бод. Подключитесь по RFC 2217 "
                                "(rfc2217://) или установите равные скорости.")
                     .arg(port_.DeviceName(port_.PortNumber()))
                     .arg(port_.BaudRate())
                     .arg(interfaceBaud_));
  }
  Report(LinkStep::Exchange);
  port_.BeginExchange(
      QStringLiteral("Modbus function 0x%1").arg(buffer_.bytes[1], 2, 16, QLatin1Char('0')));
  WaitCursorGuard busy(cursor_);
  const uint16_t crc = ModbusCrc16(requestLength);
  buffer_.bytes[requestLength] = static_cast<uint8_t>(crc & 0xFF);
  buffer_.bytes[requestLength + 1] = static_cast<uint8_t>(crc >> 8);

  const uint8_t portNumber = port_.PortNumber();
  const uint32_t linkBaud = port_.BaudRate();
  try {
    Exchange(requestLength);
  } catch (...) {
    ReturnToLinkSpeed(portNumber, linkBaud);
    throw;
  }
  ReturnToLinkSpeed(portNumber, linkBaud);
}

void ModbusLink::SendRequest(int requestLength) {
  port_.PurgeInput();
  port_.Write(buffer_.data(), requestLength + kCrcLength);
}

void ModbusLink::Exchange(int requestLength) {
  port_.Close();
  port_.Open(port_.PortNumber(), interfaceBaud_, kReadTimeoutMs);
  pacer_.Wait(kSettlePauseMs);

  uint8_t third = 0;
  for (int request = 1;; ++request) {
    SendRequest(requestLength);
    port_.ReadByte();  // the module's address is not checked
    replyFunction_ = port_.ReadByte();
    third = port_.ReadByte();
    if ((replyFunction_ & kExceptionBit) == 0)
      break;
    if (request == kMaxRequests)
      throw EOwned(kTransferError);
    pacer_.Wait(kExceptionRetryPauseMs);
  }

  const int rest = buffer_.bytes[1] == kFnWriteMultiple ? kWriteReplyRest : third + kCrcLength;
  // The byte count comes from the line: a count the buffer cannot hold is refused before a byte
  // is stored past its end.
  if (ModbusBuffer::kDataOffset + rest > ModbusBuffer::kSize)
    throw EOwned(kTransferError);
  buffer_.bytes[ModbusBuffer::kCountOffset] = third;
  port_.Read(buffer_.data() + ModbusBuffer::kDataOffset, rest);
}

void ModbusLink::ReturnToLinkSpeed(uint8_t portNumber, uint32_t linkBaud) {
  port_.Close();
  // A device that went away during the exchange stays away for the rest of the action: the
  // next action opens it again at the link speed once it is back.
  if (port_.Lost()) {
    port_.OpenOnNextAction(portNumber, linkBaud, kReadTimeoutMs);
    return;
  }
  port_.Open(portNumber, linkBaud, kReadTimeoutMs);
  pacer_.Wait(kSettlePauseMs);
}

void ModbusLink::Report(LinkStep step) const {
  if (activity_ != nullptr)
    activity_->Report(step);
}

void ModbusLink::ShortRequest(uint8_t function) {
  buffer_.bytes[0] = kAddress;
  buffer_.bytes[1] = function;
  ModbusTransaction(2);
}

void ModbusLink::ReadInterfaceId() {
  Report(LinkStep::Identify);
  lastSettings_.clear();
  ShortRequest(kFnReportId);
}

void ModbusLink::ReadInterfaceSettings() {
  Report(LinkStep::ReadInterface);
  lastSettings_.clear();
  const uint8_t request[] = {kAddress, kFnReadHolding, 0, 0, 0, kSettingsRegisters};
  std::copy(std::begin(request), std::end(request), buffer_.bytes.begin());
  ModbusTransaction(static_cast<int>(std::size(request)));
  if (buffer_.ByteCount() == kSettingsBytes) {
    lastSettings_ = QByteArray(
        reinterpret_cast<const char*>(buffer_.data()) + ModbusBuffer::kDataOffset, kSettingsBytes);
  }
}

QByteArray ModbusLink::SettingsBefore() {
  if (lastSettings_.isEmpty()) {
    const auto request = buffer_.bytes;
    ReadInterfaceSettings();
    buffer_.bytes = request;
  }
  return lastSettings_;
}

void ModbusLink::WriteInterfaceSettings(const QString& operation) {
  Report(LinkStep::WriteInterface);
  const auto write = [&] {
    const uint8_t header[kWriteHeaderLength] = {kAddress,           kFnWriteMultiple, 0, 0, 0,
                                                kSettingsRegisters, kSettingsBytes};
    std::copy(std::begin(header), std::end(header), buffer_.bytes.begin());
    ModbusTransaction(kWriteHeaderLength + kSettingsBytes);
    const auto& b = buffer_.bytes;
    if (replyFunction_ != kFnWriteMultiple || b[2] != 0 || b[3] != 0 || b[4] != 0 ||
        b[5] != kSettingsRegisters) {
      throw EOwned(kTransferError);
    }
  };
  if (journal_ == nullptr || !journal_->Installed()) {
    write();
    return;
  }
  JournalEntry entry;
  entry.block = JournalBlock::InterfaceSettings;
  entry.operation = operation;
  entry.model = QString::fromUtf8(kModuleModel);
  entry.before = SettingsBefore();
  entry.after = QByteArray(reinterpret_cast<const char*>(buffer_.data()) + kWriteHeaderLength,
                           kSettingsBytes);
  lastSettings_.clear();
  journal_->Write(entry, write);
  lastSettings_ = entry.after;
}

void ModbusLink::ReadCurrentHeaderRS() {
  Report(LinkStep::ReadForwarded);
  ShortRequest(kFnCurrentHeader);
}

void ModbusLink::ReadCurrentBlockRS() {
  Report(LinkStep::ReadForwarded);
  ShortRequest(kFnCurrentBlock);
}

int ModbusLink::CopyForwardedBlock(InstrumentBuffer& target) const {
  const int count = std::max(0, buffer_.ByteCount() - 1);
  if (count > InstrumentBuffer::kSize)
    throw EOwned(kTransferError);
  const auto from = buffer_.bytes.begin() + ModbusBuffer::kDataOffset + 1;
  std::copy(from, from + count, target.bytes.begin());
  return count;
}

}  // namespace vrx
