#include "service/ServicePanel.h"

namespace vrx {

ServicePanel::ServicePanel(Connection& connection, Timer& timer1)
    : commands_(connection), timer1_(timer1) {}

void ServicePanel::bnInitExitClick(Messages& messages) {
  commands_.ExitInitMode(messages);
}

void ServicePanel::bnLoBattClick() {
  const bool low = commands_.SupplyLow();
  stLB = QString::fromUtf8(low ? kLow : kNormal);
  timer1_.Restart(kSupplyResultMs);
}

void ServicePanel::Timer1Timer() {
  stLB.clear();
  timer1_.Stop();
}

void ServicePanel::bnLoBattLimitClick(const SettingsWrite& write) {
  commands_.SetLbThreshold(write);
}

}  // namespace vrx
