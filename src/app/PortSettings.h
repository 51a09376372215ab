#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "link/ComPort.h"
#include "link/Pacer.h"
#include "link/SerialDevices.h"

namespace vrx {

// The indexes of the port selector ("COM1".."COM4") and the speed selector ("4800", "9600").
struct PortSelection {
  int comIndex = 0;
  int speedIndex = 0;
  bool operator==(const PortSelection&) const = default;
};

// The items of the two selectors of the main window, in list order.
QStringList ComPortItems();
QStringList ComSpeedItems();

inline constexpr int kLinkReadTimeoutMs = 1500;
// The pause between opening the port at 9600 baud and opening it once more.
inline constexpr int kFastLinkReopenPauseMs = 50;

// Reads "ComNumber" (stored as index + 1) and "BaudRate" (stored as the index). Each value on
// its own: a missing or non-integer value gives index 0, one out of range is clamped.
PortSelection LoadPortSelection(const QSettings& settings);
void SavePortSelection(QSettings& settings, const PortSelection& selection);

// Keeps `device` as the device of port n ("Ports/COMn"); an empty device removes the setting,
// so the port resolves to its default again.
void SavePortDevice(QSettings& settings, int portNumber, const QString& device);
// The question asked before a device that is not there is kept for port n.
QString MissingDeviceQuestion(int portNumber, const QString& device);
// "COM2 → /dev/ttyUSB0 (есть)": what a port resolves to and whether that device is there.
QString PortAssignmentText(const PortAssignment& port);

// Closes the port and opens it as the selectors say: port number comIndex + 1 at `baudRate`,
// read time-out 1500 ms. At 9600 baud (speed index 1) it waits 50 ms and opens the port once
// more. A port that does not open stays closed without a message.
void OpenSelectedPort(TComPort& port, Pacer& pacer, int comIndex, int speedIndex,
                      uint32_t baudRate);

// The status line of the selected port: "COM1 → /dev/pts/3", with "(демо: TYPE)" when the port
// leads to the demo instrument and the system's reason when the port is not open.
QString PortStatusText(int portNumber, const QString& device, const QString& demoType, bool open,
                       const QString& openError);

}  // namespace vrx
