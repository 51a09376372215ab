#include "link/SerialDevices.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

#include "link/NetworkAddress.h"

namespace vrx {

bool DevicePresent(const QString& device) {
#ifdef Q_OS_WIN
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (info.portName() == device)
      return true;
  }
  return false;
#else
  return QFileInfo::exists(device);
#endif
}

std::vector<SerialDevice> SystemSerialDevices() {
  std::vector<SerialDevice> devices;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    SerialDevice device{info.systemLocation(), info.description(), info.manufacturer(), {}, {},
                        info.serialNumber()};
    if (info.hasVendorIdentifier())
      device.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier())
      device.productId = info.productIdentifier();
    devices.push_back(device);
  }
  std::sort(devices.begin(), devices.end(),
            [](const SerialDevice& a, const SerialDevice& b) { return a.device < b.device; });
  return devices;
}

QString UsbIds(const SerialDevice& device) {
  if (!device.vendorId || !device.productId)
    return {};
  return QStringLiteral("%1:%2")
      .arg(*device.vendorId, 4, 16, QLatin1Char('0'))
      .arg(*device.productId, 4, 16, QLatin1Char('0'));
}

std::vector<PortAssignment> PortAssignments(const PortNaming& naming, int count) {
  std::vector<PortAssignment> assignments;
  for (int n = 1; n <= count; ++n) {
    const QString device = naming.Resolve(n);
    const bool network = NetworkAddress::Names(device);
    assignments.push_back({n, device, !network && DevicePresent(device), network});
  }
  return assignments;
}

QString PresenceText(const PortAssignment& port) {
  if (port.network)
    return QStringLiteral("сеть");
  return port.present ? QStringLiteral("есть") : QStringLiteral("нет");
}

}  // namespace vrx
