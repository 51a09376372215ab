#pragma once

#include <QString>
#include <functional>

#include "calibration/CheckTimer.h"
#include "link/Pacer.h"

namespace vrx {

// The ADC check run of both calibration dialogs: idle, running (the timer ticks) or paused (the
// run is on, the timer is not). Every tick takes one sample of the current channel; a single
// channel gets `count` samples, "all channels" (channel 0) gets `count` samples of each channel
// in order, and the run then stops by itself.
class CheckRun {
 public:
  enum class State { Idle, Running, Paused };

  struct Plan {
    int channel = 1;  // 0: every channel from 1 to channelCount
    int count = 1;
    int intervalSeconds = 1;
    int channelCount = 1;
  };
  // Takes one sample of the channel and returns how many samples the table holds now. A
  // time-out of the port leaves the run going; every other error ends it.
  using Sampler = std::function<int(int channel)>;

  CheckRun(CheckTimer& timer, Pacer& pacer) : timer_(timer), pacer_(pacer) {}

  // Starts and takes the first sample at once.
  void Start(const Plan& plan, Sampler sampler);
  // One timer tick.
  void Tick();
  void TogglePause();
  void Stop();

  State state() const { return state_; }
  const QString& Status() const { return status_; }
  int CurrentChannel() const { return channel_; }

  // Called whenever the state or the status line changes, so the view can mirror them.
  std::function<void()> changed;

 private:
  void Notify();

  CheckTimer& timer_;
  Pacer& pacer_;
  Plan plan_;
  Sampler sampler_;
  State state_ = State::Idle;
  QString status_;
  int channel_ = 1;
};

}  // namespace vrx
