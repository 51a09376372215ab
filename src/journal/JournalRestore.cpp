#include "journal/JournalRestore.h"

#include <algorithm>

#include "calibration/PressureCalibration.h"
#include "iface/InterfaceSettings.h"
#include "journal/JournalSerial.h"
#include "model/Errors.h"

namespace vrx {

namespace {

const char* const kOtherModel =
    "Подключен прибор %1, а запись сделана для %2. Восстановление отменено.";
const char* const kOtherSerial =
    "Подключен прибор с заводским номером %1, а запись сделана для номера %2. Восстановление "
    "отменено.";
const char* const kOtherLength =
    "Длина сохраненного блока не совпадает с длиной блока прибора. Восстановление отменено.";
const char* const kOperation = "Восстановление записи %1";

QByteArray BufferBytes(const InstrumentBuffer& buffer, int length) {
  return QByteArray(reinterpret_cast<const char*>(buffer.data()), length);
}

void RequireModel(const QString& connected, const JournalRecord& record) {
  if (connected != record.entry.model)
    throw EOwned(QString::fromUtf8(kOtherModel).arg(connected, record.entry.model));
}

// The instrument keeps the number it had before the write, or the one the write gave it.
void RequireSerial(const QString& connected, const JournalRecord& record,
                   const ConnectionState& state) {
  const JournalEntry& e = record.entry;
  if (connected != e.serial && connected != SerialOf(e.block, e.after, state))
    throw EOwned(QString::fromUtf8(kOtherSerial).arg(connected, e.serial));
}

void PutBlock(InstrumentBuffer& buffer, const QByteArray& block, int length) {
  if (block.size() != length)
    throw EOwned(kOtherLength);
  std::copy(block.begin(), block.end(), buffer.bytes.begin());
}

}  // namespace

void RestoreRecord(Connection& c, const JournalRecord& record, PcTimeStamp& stamp,
                   PcTimeConfirmation& confirmation, Messages& messages) {
  const JournalEntry& e = record.entry;
  const QString operation = QString::fromUtf8(kOperation).arg(record.id);
  switch (e.block) {
    case JournalBlock::Settings: {
      c.link.IdentifyDevice();
      RequireModel(QString::fromUtf8(c.state.DeviceType->Name), record);
      c.link.ReadSettings();
      const int length = c.link.SettingsLength();
      RequireSerial(SerialOf(e.block, BufferBytes(c.buffer, length), c.state), record, c.state);
      PutBlock(c.buffer, e.before, length);
      stamp.StampHeatCalculatorTime(confirmation, c.buffer, c.state);
      c.link.WriteSettings(false, operation);
      return;
    }
    case JournalBlock::UnitBlock: {
      c.link.IdentifyInterfaceUnit();
      c.link.ReadUnitBlock();
      const int length = DeviceLink::kUnitBlockLength;
      RequireSerial(SerialOf(e.block, BufferBytes(c.buffer, length), c.state), record, c.state);
      PutBlock(c.buffer, e.before, length);
      stamp.StampInterfaceUnitTime(confirmation, c.buffer);
      c.link.WriteUnitBlock(false, operation);
      return;
    }
    case JournalBlock::InterfaceSettings: {
      const uint32_t baud = c.modbus.InterfaceBaud();
      InterfaceSettings settings(c.modbus, c.modbusBuffer);
      c.modbus.SetInterfaceBaud(baud);
      settings.Read();
      RequireSerial(settings.Form().SerNumEdit, record, c.state);
      InterfaceBlock block{};
      if (e.before.size() != static_cast<qsizetype>(block.size()))
        throw EOwned(kOtherLength);
      std::copy(e.before.begin(), e.before.end(), block.begin());
      settings.WriteBlock(block, operation);
      return;
    }
    case JournalBlock::PressureBlock: {
      c.link.IdentifyDevice();
      RequireModel(QString::fromUtf8(c.state.DeviceType->Name), record);
      c.link.ReadSettings();
      RequireSerial(
          SerialOf(JournalBlock::Settings, BufferBytes(c.buffer, c.link.SettingsLength()), c.state),
          record, c.state);
      PressureCalibration(c, messages).RestoreBlock(e.before, operation);
      return;
    }
  }
}

}  // namespace vrx
