#pragma once

#include <QDialog>

#include "service/DialogParts.h"
#include "service/RtcAutocorrection.h"

class QLabel;
class QSlider;

namespace vrx {

// "Автокоррекция RTC": mirrors RtcAutocorrection. Created once and reused; showing it prepares
// it for the connected instrument.
class TRTCCorrectionForm1 : public QDialog {
  Q_OBJECT

 public:
  TRTCCorrectionForm1(RunContext& context, EraseArchiveFlag erase, QWidget* parent = nullptr);

  RtcAutocorrection& Core() { return core_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void Mirror();

  RunContext& context_;
  EraseArchiveFlag erase_;
  RtcAutocorrection core_;
  QLabel* stDeviceType_ = nullptr;
  QSlider* TrackBar1_ = nullptr;
  QLabel* Label1_ = nullptr;
  QLabel* Label2_ = nullptr;
  QLabel* Label3_ = nullptr;
  QLabel* l1_ = nullptr;
};

}  // namespace vrx
