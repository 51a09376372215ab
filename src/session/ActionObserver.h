#pragma once

#include "link/LinkActivity.h"
#include "session/ActionGuard.h"

namespace vrx {

// Told how the user actions of a run go. Actions nest (a dialog opened by an action runs actions
// of its own); every call is about the innermost one.
class ActionObserver {
 public:
  virtual ~ActionObserver() = default;
  virtual void ActionBegins() = 0;
  // The action has come to a step of an exchange with the instrument.
  virtual void ActionStep(LinkStep step) = 0;
  virtual void ActionEnds(const ActionOutcome& outcome) = 0;
};

}  // namespace vrx
