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

// Runs a user action to its end. An error that escapes it does not go further: the cursor is
// put back as the action found it and the error's message is shown with ShowError; EAbort ends
// the action without a message. Returns false when the action ended with an error or EAbort;
// `outcome`, when given, receives how it ended.
bool RunGuarded(CursorControl& cursor, Messages& messages, const std::function<void()>& action,
                ActionOutcome* outcome = nullptr);

}  // namespace vrx
