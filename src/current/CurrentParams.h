#pragma once

#include <QDateTime>
#include <optional>

#include "current/CurrentDisplay.h"
#include "current/CurrentReadout.h"
#include "current/ReadLockout.h"
#include "link/Connection.h"
#include "model/Messages.h"

namespace vrx {

// The tab "Текущие параметры" without its widgets: the display, the chosen path, and the read
// button with its lock-out, which the RQ-7 unit's readout shares.
class CurrentParams {
 public:
  CurrentParams(Connection& connection, Messages& messages);

  const CurrentDisplay& Display() const { return display_; }
  ReadLockout& Lockout() { return lockout_; }
  bool ReadEnabled() const { return lockout_.ButtonEnabled(); }
  bool Timer2Active() const { return lockout_.Timer2Active(); }

  // The radio buttons `rbCable`, `rbRS`, `rbOPX`.
  CurrentPath path = CurrentPath::Cable;

  // "Считать": resets the display and reads both blocks over the path. Raises the readout's
  // error; whatever happens, the button is given back (at once on the OPX path, else Timer2 is
  // switched on).
  void bnReadCurParamsClick();
  // "Сброс": hides the value panel and empties model, address, scheme, number and status.
  void bnResetCurParamsClick();
  // When the shown values were read and over which path; none before a readout and after "Сброс".
  struct Readout {
    QDateTime at;
    CurrentPath path;
  };
  const std::optional<Readout>& LastReadout() const { return readout_; }

  // Timer2 fired: it switches itself off and enables "Считать".
  void Timer2Timer() { lockout_.Timer2Timer(); }

 private:
  Connection& connection_;
  Messages& messages_;
  CurrentDisplay display_;
  ReadLockout lockout_;
  std::optional<Readout> readout_;
};

}  // namespace vrx
