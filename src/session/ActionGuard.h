#pragma once

#include <QString>
#include <exception>
#include <functional>

#include "link/CursorControl.h"
#include "model/Messages.h"

namespace vrx {

// The text the error box shows for an error that escaped a user action: the message of EOwned
// and EComPort, what() of any other standard exception.
QString EscapedErrorText(std::exception_ptr error);

// How a user action ended.
struct ActionOutcome {
  enum class End { Done, Cancelled, Failed };
  End end = End::Done;
  // The text the error box showed, when the action failed.
  QString error;
};

// Runs an action to its end and says how it ended. An error that escapes it does not go further:
// the cursor is put back as the action found it; EAbort ends it as cancelled.
ActionOutcome RunCaught(CursorControl& cursor, const std::function<void()>& action);

// Runs a user action to its end as RunCaught does, and shows the message of an error that
// escaped it with ShowError; EAbort ends the action without a message. Returns false when the
// action ended with an error or EAbort; `outcome`, when given, receives how it ended.
bool RunGuarded(CursorControl& cursor, Messages& messages, const std::function<void()>& action,
                ActionOutcome* outcome = nullptr);

}  // namespace vrx
