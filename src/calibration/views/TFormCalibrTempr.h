#pragma once

#include "calibration/TemperatureCalibration.h"
#include "calibration/views/CalibrationDialog.h"

namespace vrx {

// "Калибровка каналов измерения температуры": the ADC calibration and the check of the
// thermometer inputs against a resistance box set to R.
class TFormCalibrTempr : public CalibrationDialog {
  Q_OBJECT
 public:
  explicit TFormCalibrTempr(RunContext& context, QWidget* parent = nullptr);

  TemperatureCalibration& Core() { return core_; }

 protected:
  void RefreshPanel() override;
  int PrepareRun() override;
  int TakeSample(int channel) override;
  ProtocolHeader Header() const override;
  void MirrorPanel() override;

 private:
  double Reference() const;
  void OnReferenceEdited();

  TemperatureCalibration core_;
  uint16_t k_ = 0;
  QLabel* plTspType_ = nullptr;
  QLabel* lbDeltaR_ = nullptr;
  QLabel* lbJitterR_ = nullptr;
  QLineEdit* edR_ = nullptr;
};

}  // namespace vrx
