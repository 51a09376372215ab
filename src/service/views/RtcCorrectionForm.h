#pragma once

#include "service/RtcAutocorrection.h"
#include "service/views/ServiceDialog.h"

class QLabel;
class QSlider;

namespace vrx {

// "Автокоррекция RTC": mirrors RtcAutocorrection.
class TRTCCorrectionForm1 : public ServiceDialog {
 public:
  TRTCCorrectionForm1(RunContext& context, EraseArchiveFlag erase, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
  void FormShow() override { core_.FormShow(); }
  void Mirror() override;

 private:
  RtcAutocorrection core_;
  QLabel* stDeviceType_ = nullptr;
  QSlider* TrackBar1_ = nullptr;
  QLabel* Label1_ = nullptr;
  QLabel* Label2_ = nullptr;
  QLabel* Label3_ = nullptr;
  QLabel* l1_ = nullptr;
};

}  // namespace vrx
