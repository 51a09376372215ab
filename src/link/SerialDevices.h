#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/PortNaming.h"

namespace vrx {

// A serial device of the system as the operating system describes it.
struct SerialDevice {
  QString device;  // what the port opens, e.g. /dev/ttyUSB0
  QString description;
  QString manufacturer;
  std::optional<uint16_t> vendorId;  // USB devices only
  std::optional<uint16_t> productId;
  QString serialNumber;
};

// The serial devices of the system, ordered by device. Pseudo-terminals are not among them.
std::vector<SerialDevice> SystemSerialDevices();

// Whether the device (a path, on Windows a port name) is there now.
bool DevicePresent(const QString& device);

// "0403:6001", or empty for a device that is not on USB.
QString UsbIds(const SerialDevice& device);

// What "COM"n resolves to, and whether that device is there now. A network serial server is
// not looked for: only a connection would tell.
struct PortAssignment {
  int portNumber = 0;
  QString device;
  bool present = false;
  bool network = false;
};

// The assignments of COM1..COM`count`.
std::vector<PortAssignment> PortAssignments(const PortNaming& naming, int count);
// "есть" or "нет": whether the device a port resolves to is there; "сеть" for a network server.
QString PresenceText(const PortAssignment& port);

}  // namespace vrx
