#include "current/ReadLockout.h"

namespace vrx {

ReadLockout::Hold::Hold(ReadLockout& lockout, bool releaseAtOnce)
    : lockout_(lockout), atOnce_(releaseAtOnce) {
  lockout_.enabled_ = false;
  lockout_.timer2Active_ = false;
  emit lockout_.changed();
}

ReadLockout::Hold::~Hold() {
  if (atOnce_) {
    lockout_.Timer2Timer();
    return;
  }
  lockout_.timer2Active_ = true;
  emit lockout_.changed();
}

void ReadLockout::Timer2Timer() {
  timer2Active_ = false;
  enabled_ = true;
  emit changed();
  emit released();
}

}  // namespace vrx
