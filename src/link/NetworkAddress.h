#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace vrx {

// A port's device that is a network serial server instead of a device of the system:
// rfc2217://HOST:PORT, a telnet server with COM-port control (the tool sets the speed and drives
// the modem lines through it), or tcp://HOST:PORT, a transparent gateway whose serial side is set
// up on the gateway itself. HOST is a name, an IPv4 address or an IPv6 address in brackets.
struct NetworkAddress {
  enum class Kind { kRfc2217, kTcp };

  Kind kind = Kind::kRfc2217;
  QString host;
  uint16_t port = 0;

  // Whether the device is meant as a network server: it begins with one of the two schemes,
  // whether or not the rest is valid.
  static bool Names(const QString& device);
  // The address the device names; nullopt when it is not a network address of a valid form.
  static std::optional<NetworkAddress> Parse(const QString& device);
};

}  // namespace vrx
