#pragma once

#include <QObject>
#include <functional>
#include <utility>

#include "session/RunContext.h"

namespace vrx {

// Connects a control's signal to a user action that runs inside the context's guard: an error
// that escapes the action reaches the error box and the cursor is put back. The signal's
// arguments are not passed on.
template <typename Sender, typename Signal>
QMetaObject::Connection ConnectAction(Sender* sender, Signal signal, RunContext& context,
                                      std::function<void()> action) {
  return QObject::connect(sender, signal, sender,
                          [&context, action = std::move(action)] { context.RunAction(action); });
}

}  // namespace vrx
