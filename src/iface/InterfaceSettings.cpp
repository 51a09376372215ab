#include "iface/InterfaceSettings.h"

#include <algorithm>

#include "iface/InterfaceBlock.h"

namespace vrx {

namespace {
// The write request carries the 70 data bytes after address, function, start, quantity and
// byte count.
constexpr int kWriteDataOffset = 7;
}  // namespace

InterfaceSettings::InterfaceSettings(ModbusLink& modbus, ModbusBuffer& buffer)
    : modbus_(modbus), buffer_(buffer) {
  modbus_.SetInterfaceBaud(form_.InterfaceBaud());
}

void InterfaceSettings::SetSpeedIndex(int index) {
  form_.cbRSSpeed = std::clamp(index, 0, static_cast<int>(InterfaceForm::SpeedItems().size()) - 1);
  modbus_.SetInterfaceBaud(form_.InterfaceBaud());
}

void InterfaceSettings::ReadIdentification() {
  modbus_.ClearModbusBuffer();
  modbus_.ReadInterfaceId();
  DecodeInterfaceId(buffer_.data() + ModbusBuffer::kDataOffset, form_);
}

void InterfaceSettings::Read() {
  ReadIdentification();
  modbus_.ClearModbusBuffer();
  modbus_.ReadInterfaceSettings();
  DecodeInterfaceBlock(buffer_.data() + ModbusBuffer::kDataOffset, form_);
}

void InterfaceSettings::Write() {
  WriteBlock(EncodeInterfaceBlock(form_), QStringLiteral("Запись настроек доп. интерфейса"));
}

void InterfaceSettings::WriteBlock(const InterfaceBlock& block, const QString& operation) {
  ReadIdentification();
  modbus_.ClearModbusBuffer();
  std::copy(block.begin(), block.end(), buffer_.bytes.begin() + kWriteDataOffset);
  modbus_.WriteInterfaceSettings(operation);
}

}  // namespace vrx
