#pragma once

#include <QObject>
#include <QTimer>

namespace vrx {

// The read button of the current-values readouts ("Считать" of the heat calculator's and of the
// RQ-7 unit's tab): disabled while a readout runs and given back afterwards, at once after a
// readout through the OPX adapter, otherwise by `Timer2` 2000 ms later, which switches itself
// off. One object per window, shared by every tab whose readout talks to the same line.
class ReadLockout : public QObject {
  Q_OBJECT

 public:
  static constexpr int kTimer2IntervalMs = 2000;

  explicit ReadLockout(QObject* parent = nullptr);

  bool ButtonEnabled() const { return enabled_; }
  bool Timer2Active() const { return timer2_.isActive(); }

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

  // Timer2 fired: it switches itself off and enables the button.
  void Timer2Timer();

 signals:
  void buttonEnabledChanged(bool enabled);

 private:
  void SetEnabled(bool enabled);

  QTimer timer2_;
  bool enabled_ = true;
};

}  // namespace vrx
