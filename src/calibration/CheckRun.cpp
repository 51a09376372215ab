#include "calibration/CheckRun.h"

#include "model/Errors.h"

namespace vrx {

namespace {

const char* const kRequesting = "Запрос кода АЦП...";
// The port's time-out; it only costs the run one sample.
const char* const kNoAnswer = "Нет ответа от прибора";

}  // namespace

void CheckRun::Start(const Plan& plan, Sampler sampler) {
  plan_ = plan;
  sampler_ = std::move(sampler);
  channel_ = plan.channel == 0 ? 1 : plan.channel;
  timer_.Start(plan.intervalSeconds * 1000);
  state_ = State::Running;
  status_.clear();
  Notify();
  pacer_.PumpMessages();
  Tick();
}

void CheckRun::Tick() {
  if (state_ == State::Idle) {
    return;
  }
  status_ = QString::fromUtf8(kRequesting);
  Notify();
  int records = 0;
  try {
    records = sampler_(channel_);
  } catch (const EComPort& e) {
    if (e.message() != QString::fromUtf8(kNoAnswer)) {
      Stop();
      throw;
    }
    status_ = e.message();
    Notify();
    return;
  } catch (...) {
    Stop();
    throw;
  }
  status_.clear();
  if (plan_.channel != 0) {
    if (records == plan_.count) {
      Stop();
    }
  } else {
    if (records % plan_.count == 0) {
      ++channel_;
    }
    if (channel_ > plan_.channelCount) {
      Stop();
    }
  }
  Notify();
}

void CheckRun::TogglePause() {
  if (state_ == State::Running) {
    timer_.Stop();
    state_ = State::Paused;
  } else if (state_ == State::Paused) {
    timer_.Start(plan_.intervalSeconds * 1000);
    state_ = State::Running;
  }
  Notify();
}

void CheckRun::Stop() {
  timer_.Stop();
  state_ = State::Idle;
  status_.clear();
  Notify();
}

void CheckRun::Notify() {
  if (changed) {
    changed();
  }
}

}  // namespace vrx
