#pragma once

#include "calibration/PressureCalibration.h"
#include "calibration/views/CalibrationDialog.h"

class QComboBox;

namespace vrx {

// "Калибровка каналов измерения давления": coefficients of the current-loop pressure inputs by
// reference voltage and load resistor or by a sample at full-scale current, Pmax, and the check
// of the pressure each channel computes.
class TformCalibrPressure : public CalibrationDialog {
  Q_OBJECT
 public:
  explicit TformCalibrPressure(RunContext& context, QWidget* parent = nullptr);

  PressureCalibration& Core() { return core_; }

 protected:
  void RefreshPanel() override;
  int PrepareRun() override;
  int TakeSample(int channel) override;
  ProtocolHeader Header() const override;
  void ShowRunState(bool running) override;
  void MirrorPanel() override;

 private:
  void RebuildMasks();
  // Runs a command of the core in the guard and mirrors the panel whatever the outcome.
  void Command(const std::function<void()>& action);

  PressureCalibration core_;
  QLabel* plOutType_ = nullptr;
  QLineEdit* MaskEdit1_ = nullptr;
  QLineEdit* MaskEdit2_ = nullptr;
  QComboBox* cbPmax_ = nullptr;
  QPushButton* Button1_ = nullptr;
  QPushButton* bnSetPmax_ = nullptr;
  QPushButton* bnGetPmax_ = nullptr;
};

}  // namespace vrx
