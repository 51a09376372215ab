#pragma once

#include <QWidget>

#include "service/ServicePanel.h"
#include "service/views/ServiceDialog.h"

class QLabel;
class QPushButton;
class QTimer;

namespace vrx {

class TCountersForm;
class TFormCalibrTempr;
class TformCalibrPressure;
class TRTCCorrectionForm1;
class TTicksCorrectionForm;

// The tab "Сервис": mirrors ServicePanel and opens the correction dialogs, which it creates
// once and reuses, the two calibration dialogs among them.
class ServiceTab : public QWidget {
  Q_OBJECT

 public:
  ServiceTab(RunContext& context, EraseArchiveFlag erase, QWidget* parent = nullptr);
  ~ServiceTab() override;

  ServicePanel& Panel() { return panel_; }

 private:
  // Timer1 as the panel drives it.
  class WindowTimer : public ServicePanel::Timer {
   public:
    explicit WindowTimer(QTimer* timer) : timer_(timer) {}
    void Restart(int ms) override;
    void Stop() override;

   private:
    QTimer* timer_;
  };

  QWidget* BuildAllModels();
  QWidget* BuildSupply();
  void Mirror();

  RunContext& context_;
  EraseArchiveFlag erase_;
  QTimer* Timer1_;
  WindowTimer timer_;
  ServicePanel panel_;
  QLabel* stLB_ = nullptr;
  TRTCCorrectionForm1* RTCCorrectionForm1_ = nullptr;
  TTicksCorrectionForm* TicksCorrectionForm_ = nullptr;
  TCountersForm* CountersForm_ = nullptr;
  TFormCalibrTempr* FormCalibrTempr_ = nullptr;
  TformCalibrPressure* FormCalibrPressure_ = nullptr;
};

}  // namespace vrx
