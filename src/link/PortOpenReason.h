#pragma once

#include <QString>

namespace vrx {

// Why a serial device did not open, as far as the user can act on it.
struct PortOpenFailure {
  enum class Kind {
    kOther,       // any other failure: the operating system's reason is all there is
    kNoDevice,    // nothing under that name: the adapter is not plugged in or the name is wrong
    kPermission,  // the user may not open the device
    kBusy,        // another program holds the device
  };
  Kind kind = Kind::kOther;
  QString system;  // the operating system's reason as it gave it
  QString user;    // kPermission: the user the program runs as
  QString group;   // kPermission: the group that owns the device
};

// The reason in Russian with what to do about it, shown after the device's name in the error
// box, the status line and the companion's messages.
QString PortOpenReason(const PortOpenFailure& failure);

}  // namespace vrx
