#pragma once

#include <QString>

#include "service/ServiceCommands.h"

namespace vrx {

// The tab "Сервис" without its widgets: the handlers of its command buttons and the supply
// result in `stLB`, which `Timer1` clears 4000 ms after the last check. The buttons that open
// dialogs have nothing to do here.
class ServicePanel {
 public:
  static constexpr int kSupplyResultMs = 4000;
  static constexpr const char* kLow = "Пониженное";
  static constexpr const char* kNormal = "Норма";

  // `Timer1` as the panel drives it: the view's window timer, a virtual one in tests. It calls
  // Timer1Timer when it expires.
  class Timer {
   public:
    virtual ~Timer() = default;
    // Switches the timer off and on again: it expires `ms` from now.
    virtual void Restart(int ms) = 0;
    virtual void Stop() = 0;
  };

  ServicePanel(Connection& connection, Timer& timer1);

  void bnInitExitClick(Messages& messages);
  void bnLoBattClick();
  void Timer1Timer();
  void bnLoBattLimitClick(const SettingsWrite& write);

  QString stLB;

 private:
  ServiceCommands commands_;
  Timer& timer1_;
};

}  // namespace vrx
