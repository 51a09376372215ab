#pragma once

namespace vrx {

// Asks the engineer whether the PC clock is right before its time is stamped into an
// instrument. The window shows the clock verification dialog; tests answer from a script.
class PcTimeConfirmation {
 public:
  virtual ~PcTimeConfirmation() = default;
  // True only when the engineer confirmed the time.
  virtual bool ConfirmPcTime() = 0;
};

}  // namespace vrx
