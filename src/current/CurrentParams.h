#pragma once

#include "current/CurrentDisplay.h"
#include "current/CurrentReadout.h"
#include "link/Connection.h"
#include "model/Messages.h"

namespace vrx {

// The tab "Текущие параметры" without its widgets: the display, the chosen path, and the read
// button with its lock-out. After a readout the button stays disabled until `Timer2` (2000 ms)
// fires, except on the OPX path, whose wake-up already took long enough.
class CurrentParams {
 public:
  static constexpr int kTimer2IntervalMs = 2000;

  CurrentParams(Connection& connection, Messages& messages);

  const CurrentDisplay& Display() const { return display_; }
  bool ReadEnabled() const { return readEnabled_; }
  bool Timer2Active() const { return timer2Active_; }

  // The radio buttons `rbCable`, `rbRS`, `rbOPX`.
  CurrentPath path = CurrentPath::Cable;

  // "Считать": resets the display and reads both blocks over the path. Raises the readout's
  // error; whatever happens, the button is given back (at once on the OPX path, else Timer2 is
  // switched on).
  void bnReadCurParamsClick();
  // "Сброс": hides the value panel and empties model, address, scheme, number and status.
  void bnResetCurParamsClick();
  // Timer2 fired: it switches itself off and enables "Считать".
  void Timer2Timer();

 private:
  Connection& connection_;
  Messages& messages_;
  CurrentDisplay display_;
  bool readEnabled_ = true;
  bool timer2Active_ = false;
};

}  // namespace vrx
