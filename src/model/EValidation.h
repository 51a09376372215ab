#pragma once

#include <QString>
#include <utility>

#include "model/Errors.h"

namespace vrx {

// A refused value of the tab: the message for the error box and the form name of the control
// that gets the input focus before the error is shown (empty: the focus stays where it is).
class EValidation : public EOwned {
 public:
  EValidation(const QString& message, QString focusControl)
      : EOwned(message), focusControl_(std::move(focusControl)) {}

  const QString& FocusControl() const { return focusControl_; }

 private:
  QString focusControl_;
};

// Form name of the channel grid, the focus target of the table's own checks.
inline const char* const kChannelGridName = "DBGrid1";

}  // namespace vrx
