#pragma once

namespace vrx {

// Every fixed pause of the protocol goes through one pacer, so the pauses are exact on a real
// line and can run on a virtual clock in tests.
class Pacer {
 public:
  virtual ~Pacer() = default;
  virtual void Wait(int ms) = 0;
  // Lets the window system handle pending events (the only place an exchange does so).
  virtual void PumpMessages() = 0;

  // While set, the pump draws the window but keeps the user's input and the timers for later: a
  // readout the window started by itself runs, and what the user does meanwhile acts after it.
  bool holdInput = false;
};

// Sleeps for real and pumps the application's event queue.
class RealPacer : public Pacer {
 public:
  void Wait(int ms) override;
  void PumpMessages() override;
};

}  // namespace vrx
