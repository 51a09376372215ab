#pragma once

#include <QDialog>
#include <array>

#include "service/DialogParts.h"
#include "service/TicksCorrection.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

namespace vrx {

// "Коррекция цены импульса": mirrors TicksCorrection. Created once and reused; showing it
// prepares it for the connected instrument.
class TTicksCorrectionForm : public QDialog {
  Q_OBJECT

 public:
  TTicksCorrectionForm(RunContext& context, EraseArchiveFlag erase, QWidget* parent = nullptr);

  TicksCorrection& Core() { return core_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void Mirror();

  RunContext& context_;
  EraseArchiveFlag erase_;
  TicksCorrection core_;
  QLabel* plDeviceType_ = nullptr;
  std::array<QGroupBox*, TicksCorrection::kChannels> groups_{};
  std::array<QSlider*, TicksCorrection::kChannels> sliders_{};
  std::array<QLabel*, TicksCorrection::kChannels> texts_{};
  QPushButton* bnRead_ = nullptr;
  QPushButton* bnWrite_ = nullptr;
};

}  // namespace vrx
