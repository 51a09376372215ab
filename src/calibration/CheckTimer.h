#pragma once

namespace vrx {

// The period of a check run: the dialogs use a window timer, the companion and the tests tick
// the run themselves.
class CheckTimer {
 public:
  virtual ~CheckTimer() = default;
  virtual void Start(int intervalMs) = 0;
  virtual void Stop() = 0;
  virtual bool Active() const = 0;
};

// A timer that only keeps its period and state; its owner ticks the run.
class SteppedTimer : public CheckTimer {
 public:
  void Start(int intervalMs) override {
    interval = intervalMs;
    active = true;
  }
  void Stop() override { active = false; }
  bool Active() const override { return active; }

  int interval = 0;
  bool active = false;
};

}  // namespace vrx
