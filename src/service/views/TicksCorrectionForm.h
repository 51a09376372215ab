#pragma once

#include <array>

#include "service/TicksCorrection.h"
#include "service/views/ServiceDialog.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

namespace vrx {

// "Коррекция цены импульса": mirrors TicksCorrection.
class TTicksCorrectionForm : public ServiceDialog {
 public:
  TTicksCorrectionForm(RunContext& context, EraseArchiveFlag erase, QWidget* parent = nullptr);

 protected:
  void FormShow() override { core_.FormShow(); }
  void Mirror() override;

 private:
  TicksCorrection core_;
  QLabel* plDeviceType_ = nullptr;
  std::array<QGroupBox*, TicksCorrection::kChannels> groups_{};
  std::array<QSlider*, TicksCorrection::kChannels> sliders_{};
  std::array<QLabel*, TicksCorrection::kChannels> texts_{};
};

}  // namespace vrx
