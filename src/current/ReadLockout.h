#pragma once

#include <QObject>

namespace vrx {

// The read button "Считать" of the tab "Текущие параметры" and its lock-out, shared by every
// readout over the same line (the heat calculator's and the RQ-7 unit's): disabled while a
// readout runs and given back afterwards, at once after a readout through the OPX adapter (its
// wake-up already took long enough), otherwise by `Timer2` 2000 ms later. The timer itself is
// the view's; this object only says whether it should run.
class ReadLockout : public QObject {
  Q_OBJECT

 public:
  static constexpr int kTimer2IntervalMs = 2000;

  explicit ReadLockout(QObject* parent = nullptr) : QObject(parent) {}

  bool ButtonEnabled() const { return enabled_; }
  bool Timer2Active() const { return timer2Active_; }

  // Disables the button for one readout; the button is given back however the readout ends.
  class Hold {
   public:
    Hold(ReadLockout& lockout, bool releaseAtOnce);
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    ReadLockout& lockout_;
    bool atOnce_;
  };

  // Timer2 fired (or an OPX readout ended): the timer is switched off and the button enabled.
  void Timer2Timer();

 signals:
  // The button's state or the timer's changed.
  void changed();
  // Timer2Timer ran: the tab that is shown gives its read button the keyboard focus.
  void released();

 private:
  bool enabled_ = true;
  bool timer2Active_ = false;
};

}  // namespace vrx
