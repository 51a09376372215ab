#pragma once

#include <QDateTime>
#include <functional>

namespace vrx {

// Where the PC's date and time come from; tests put a clock of their own in its place.
using PcClock = std::function<QDateTime()>;

inline QDateTime CurrentPcTime() {
  return QDateTime::currentDateTime();
}

}  // namespace vrx
