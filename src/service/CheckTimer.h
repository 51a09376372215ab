#pragma once

namespace vrx {

// The period of a check run: the dialogs use a window timer, tests fire the ticks themselves.
class CheckTimer {
 public:
  virtual ~CheckTimer() = default;
  virtual void Start(int intervalMs) = 0;
  virtual void Stop() = 0;
  virtual bool Active() const = 0;
};

}  // namespace vrx
