#include "link/DeviceLink.h"

#include <array>
#include <stdexcept>

#include "model/Errors.h"

namespace vrx {

namespace {

const char* const kTransferError = "Ошибка приемо/передачи";
// The read-back check reports with its own spelling, one letter off the exchange's message, so
// that a report tells the two failures apart.
const char* const kReadBackError = "Ошибка приемо/прередачи";
const char* const kReceiveError = "Ошибка приема данных с прибора";
const char* const kNotRq7 = "Подключенный прибор не RQ-7";
const char* const kUnitModel = "RQ-7";

constexpr uint8_t kCmdWriteErase = 0;
constexpr uint8_t kCmdRead = 4;
constexpr uint8_t kCmdIdentify = 5;
constexpr uint8_t kCmdWriteKeep = 18;
constexpr uint8_t kUnitIdentity = 0xF1;

// The sub-version byte carries the tens digit in its low nibble.
uint8_t SwappedNibbleNumber(uint8_t x) {
  return static_cast<uint8_t>((x & 0x0F) * 10 + (x >> 4));
}

}  // namespace

DeviceLink::DeviceLink(TComPort& port, ConnectionState& state, InstrumentBuffer& buffer,
                       Pacer& pacer, CursorControl& cursor)
    : port_(port), state_(state), buffer_(buffer), pacer_(pacer), cursor_(cursor) {}

void DeviceLink::DeviceExchange(uint8_t command, std::span<const uint8_t> data,
                                std::span<uint8_t> reply, bool checkEcho, int length) {
  if (length < 0 || (!data.empty() && data.size() < static_cast<size_t>(length)) ||
      (!reply.empty() && reply.size() < static_cast<size_t>(length))) {
    throw std::logic_error("DeviceExchange: buffer shorter than the exchange length");
  }
  Report(LinkStep::Exchange);
  WaitCursorGuard busy(cursor_);
  pacer_.Wait(kPauseBeforeExchangeMs);
  port_.BeginExchange(QStringLiteral("command %1").arg(command));
  port_.PurgeInput();
  port_.WriteByte(command);
  if (!data.empty())
    port_.Write(data.data(), length);
  if (checkEcho && port_.ReadByte() != command)
    throw EOwned(kTransferError);
  if (!reply.empty()) {
    port_.Read(reply.data(), length);
    if (!data.empty()) {
      for (int i = 0; i < length; ++i) {
        if (reply[i] != data[i])
          throw EOwned(kTransferError);
      }
    }
  }
}

void DeviceLink::IdentifyDevice() {
  Report(LinkStep::Identify);
  WaitCursorGuard busy(cursor_);
  lastKind_.reset();
  uint8_t t = 0;
  DeviceExchange(kCmdIdentify, {}, std::span<uint8_t>(&t, 1), true, 1);
  state_.SubVersion = 0;
  state_.TypeByte10 = (t == 10);
  if (state_.TypeByte10)
    t = 9;
  state_.LowTypeCode = (t < 4);
  if (!state_.LowTypeCode)
    t = static_cast<uint8_t>(t - 4);
  state_.Family = &FamilyAt(FamilyLookup(t));
  state_.VersionByte = state_.Family->IsL1Family ? 255 : port_.ReadByte();
  const uint8_t v = state_.VersionByte;
  state_.SupportsPmax =
      state_.Family->Code >= 7 || (state_.Family->IsL3Family && (v & 0x03) == 0x03 && v >= 0xA0);
  state_.TypeIndex = TypeLookup(t, v);
  state_.DeviceType = &DeviceTypeAt(state_.TypeIndex);
  state_.Layout = state_.DeviceType->Layout;
  if (t >= 7) {
    state_.SubVersion = SwappedNibbleNumber(port_.ReadByte());
  } else if (state_.Family->IsL3Family && (v & 0xE3) == 0xA3) {
    state_.SubVersion = port_.ReadByte();
  }
}

int DeviceLink::SettingsLength() const {
  if (state_.Layout == nullptr) {
    throw std::logic_error("the settings image is used before an instrument was identified");
  }
  return (*state_.Layout)[Length];
}

void DeviceLink::Report(LinkStep step) const {
  if (activity_ != nullptr)
    activity_->Report(step);
}

void DeviceLink::ReadBlockTwice(Block& target, int length) {
  Block second{};
  DeviceExchange(kCmdRead, {}, target, true, length);
  DeviceExchange(kCmdRead, {}, second, true, length);
  for (int i = 0; i < length; ++i) {
    if (target[i] != second[i])
      throw EOwned(kReceiveError);
  }
}

QByteArray DeviceLink::BlockBefore(JournalBlock kind, int length) {
  if (lastKind_ != kind) {
    lastKind_.reset();
    ReadBlockTwice(last_, length);
    lastKind_ = kind;
  }
  return QByteArray(reinterpret_cast<const char*>(last_.data()), length);
}

void DeviceLink::WriteBlockAndVerify(bool erase, int length, JournalBlock kind,
                                     const QString& operation) {
  Report(kind == JournalBlock::UnitBlock ? LinkStep::WriteUnitBlock : LinkStep::WriteSettings);
  const auto write = [&] {
    Block local{};
    DeviceExchange(erase ? kCmdWriteErase : kCmdWriteKeep, buffer_.bytes, local, true, length);
    DeviceExchange(kCmdRead, {}, local, true, length);
    for (int i = 0; i < length; ++i) {
      if (buffer_.bytes[i] != local[i])
        throw EOwned(kReadBackError);
    }
  };
  if (journal_ == nullptr || !journal_->Installed()) {
    write();
  } else {
    JournalEntry entry;
    entry.block = kind;
    entry.operation = operation;
    entry.model = kind == JournalBlock::UnitBlock ? QString::fromUtf8(kUnitModel)
                                                  : QString::fromUtf8(state_.DeviceType->Name);
    entry.before = BlockBefore(kind, length);
    entry.after = QByteArray(reinterpret_cast<const char*>(buffer_.data()), length);
    // Whatever the write left in the instrument is unknown until it is read again.
    lastKind_.reset();
    journal_->Write(entry, write);
  }
  last_ = buffer_.bytes;
  lastKind_ = kind;
}

void DeviceLink::ReadSettings() {
  Report(LinkStep::ReadSettings);
  ReadBlockTwice(buffer_.bytes, SettingsLength());
  last_ = buffer_.bytes;
  lastKind_ = JournalBlock::Settings;
}

void DeviceLink::WriteSettings(bool eraseArchive, const QString& operation) {
  WriteBlockAndVerify(eraseArchive, SettingsLength(), JournalBlock::Settings, operation);
}

void DeviceLink::WakeAdapter(int speedIndex) {
  cursor_.Set(CursorShape::Wait);
  // The adapter wakes on a long RTS pulse; whatever happens, the arrow comes back.
  struct ArrowOnExit {
    CursorControl& cursor;
    ~ArrowOnExit() { cursor.Set(CursorShape::Normal); }
  } arrow{cursor_};
  port_.SetRts();
  pacer_.Wait(800);
  port_.ClearRts();
  pacer_.Wait(100);
  if (speedIndex == 0)
    port_.WriteByte(0xFF);
  pacer_.Wait(600);
  pacer_.PumpMessages();
}

void DeviceLink::IdentifyInterfaceUnit() {
  Report(LinkStep::Identify);
  uint8_t id = 0;
  DeviceExchange(kCmdIdentify, {}, std::span<uint8_t>(&id, 1), true, 1);
  lastKind_.reset();
  if (id != kUnitIdentity)
    throw EOwned(kNotRq7);
  state_.SubVersion = 0;
  state_.SubVersion = SwappedNibbleNumber(port_.ReadByte());
}

void DeviceLink::ReadUnitBlock() {
  Report(LinkStep::ReadUnitBlock);
  ReadBlockTwice(buffer_.bytes, kUnitBlockLength);
  last_ = buffer_.bytes;
  lastKind_ = JournalBlock::UnitBlock;
}

void DeviceLink::WriteUnitBlock(bool erase, const QString& operation) {
  WriteBlockAndVerify(erase, kUnitBlockLength, JournalBlock::UnitBlock, operation);
}

}  // namespace vrx
