#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "link/SerialBackend.h"

namespace vrx {

// Turns the port number n of "COM"n into the device to open. On Windows that is "COM"n itself.
// Elsewhere, in this order: a path given on the command line (--com n=PATH), the per-user
// setting "Ports/COMn", and /dev/ttyS(n-1). Where a device may be given, a network serial
// server may be too: rfc2217://HOST:PORT or tcp://HOST:PORT (NetworkAddress).
class PortNaming {
 public:
  // Reads the per-user setting for a port number; returns an empty text when there is none.
  using SettingLookup = std::function<QString(int portNumber)>;

  PortNaming();
  explicit PortNaming(SettingLookup lookup);

  void SetOverride(int portNumber, const QString& device);
  QString Resolve(int portNumber) const;

  // Parses "n=PATH" as given to --com; returns false when the text has another shape.
  bool AddOverrideFromOption(const QString& option);

  // The per-user setting store of the tool (organisation "Vantelor", application
  // "Инициализация VRX-L").
  static QString ReadPortSetting(int portNumber);
  // The key of the device of port n in those settings: "Ports/COMn".
  static QString PortSettingKey(int portNumber);

  // The backend that opens `device`: gensio for a network serial server, QtSerialPort for a
  // device of the system.
  static std::unique_ptr<SerialBackend> BackendFor(const QString& device);

 private:
  std::map<int, QString> overrides_;
  SettingLookup lookup_;
};

}  // namespace vrx
