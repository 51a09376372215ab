#include "app/PortSettings.h"

#include <algorithm>

namespace vrx {

namespace {
const QString kComNumberKey = QStringLiteral("ComNumber");
const QString kBaudRateKey = QStringLiteral("BaudRate");

int ReadIndex(const QSettings& settings, const QString& key, int offset, int last) {
  bool ok = false;
  const int value = settings.value(key).toInt(&ok);
  if (!ok)
    return 0;
  return std::clamp(value - offset, 0, last);
}
}  // namespace

QStringList ComPortItems() {
  return {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
          QStringLiteral("COM4")};
}

QStringList ComSpeedItems() {
  return {QStringLiteral("4800"), QStringLiteral("9600")};
}

PortSelection LoadPortSelection(const QSettings& settings) {
  PortSelection selection;
  selection.comIndex = ReadIndex(settings, kComNumberKey, 1, ComPortItems().size() - 1);
  selection.speedIndex = ReadIndex(settings, kBaudRateKey, 0, ComSpeedItems().size() - 1);
  return selection;
}

void SavePortSelection(QSettings& settings, const PortSelection& selection) {
  settings.setValue(kComNumberKey, selection.comIndex + 1);
  settings.setValue(kBaudRateKey, selection.speedIndex);
  settings.sync();
}

void SavePortDevice(QSettings& settings, int portNumber, const QString& device) {
  if (device.isEmpty())
    settings.remove(PortNaming::PortSettingKey(portNumber));
  else
    settings.setValue(PortNaming::PortSettingKey(portNumber), device);
  settings.sync();
}

QString MissingDeviceQuestion(int portNumber, const QString& device) {
  return QStringLiteral("Устройства %1 сейчас нет в системе. Все равно назначить его порту COM%2?")
      .arg(device)
      .arg(portNumber);
}

QString PortAssignmentText(const PortAssignment& port) {
  return QStringLiteral("COM%1 → %2 (%3)")
      .arg(port.portNumber)
      .arg(port.device, PresenceText(port));
}

void OpenSelectedPort(TComPort& port, Pacer& pacer, int comIndex, int speedIndex,
                      uint32_t baudRate) {
  port.Close();
  port.Open(static_cast<uint8_t>(comIndex + 1), baudRate, kLinkReadTimeoutMs);
  if (speedIndex == 1) {
    pacer.Wait(kFastLinkReopenPauseMs);
    port.Reopen();
  }
}

QString PortStatusText(int portNumber, const QString& device, const QString& demoType, bool open,
                       const QString& openError) {
  QString text = QStringLiteral("COM%1 → %2").arg(portNumber).arg(device);
  if (!demoType.isEmpty())
    text += QStringLiteral(" (демо: %1)").arg(demoType);
  if (!open) {
    text += QStringLiteral(" — не открыт");
    if (!openError.isEmpty())
      text += QStringLiteral(": ") + openError;
  }
  return text;
}

}  // namespace vrx
