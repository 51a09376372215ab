#include "session/ReadLockout.h"

namespace vrx {

ReadLockout::ReadLockout(QObject* parent) : QObject(parent) {
  timer2_.setObjectName(QStringLiteral("Timer2"));
  timer2_.setInterval(kTimer2IntervalMs);
  connect(&timer2_, &QTimer::timeout, this, &ReadLockout::Timer2Timer);
}

ReadLockout::Hold::Hold(ReadLockout& lockout, bool releaseAtOnce)
    : lockout_(lockout), atOnce_(releaseAtOnce) {
  lockout_.timer2_.stop();
  lockout_.SetEnabled(false);
}

ReadLockout::Hold::~Hold() {
  if (atOnce_)
    lockout_.Timer2Timer();
  else
    lockout_.timer2_.start();
}

void ReadLockout::Timer2Timer() {
  timer2_.stop();
  SetEnabled(true);
}

void ReadLockout::SetEnabled(bool enabled) {
  if (enabled_ == enabled)
    return;
  enabled_ = enabled;
  emit buttonEnabledChanged(enabled);
}

}  // namespace vrx
