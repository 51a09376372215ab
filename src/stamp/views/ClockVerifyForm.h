#pragma once

#include <QDialog>

#include "stamp/PcClock.h"
#include "stamp/PcTimeConfirmation.h"

class QLabel;
class QTimer;

namespace vrx {

// "Проверка часов": shows the running PC time and asks whether it is right. Created once and
// reused; its timer runs only while it is shown.
class TClockVerifyForm : public QDialog, public PcTimeConfirmation {
  Q_OBJECT

 public:
  static constexpr int kRefreshMs = 500;

  explicit TClockVerifyForm(PcClock clock = CurrentPcTime, QWidget* parent = nullptr);

  // Shows the dialog modally; true when "Да" closed it.
  bool ConfirmPcTime() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void RefreshClock();

  PcClock clock_;
  QLabel* clockDisplay_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace vrx
