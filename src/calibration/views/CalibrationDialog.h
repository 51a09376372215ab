#pragma once

#include <QDialog>
#include <QTimer>

#include "calibration/AdcSamples.h"
#include "calibration/CalibrationProtocol.h"
#include "calibration/CheckRun.h"
#include "calibration/CheckTimer.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vrx {

class AdcGrid;
class RunContext;
class UpDown;

// What both calibration dialogs share: the model panel, the channel, count and period of the
// ADC check with their arrow buttons, the check and pause buttons, the status line, the sample
// grid and its protocol file. The run itself is the core's CheckRun on the window timer
// `adcCheckTimer`; the dialog only mirrors its state.
class CalibrationDialog : public QDialog, private CheckTimer {
  Q_OBJECT
 public:
  CheckRun& Run() { return run_; }
  AdcSamples& Samples() { return samples_; }

 protected:
  CalibrationDialog(RunContext& context, AdcSamples::Kind kind, const QString& name,
                    const QString& caption, QWidget* parent);

  // Called on show and on "Обновить" (errors swallowed) and by the subclasses' commands.
  virtual void RefreshPanel() = 0;
  // The refresh and read a run needs before its first sample; returns the channel count.
  virtual int PrepareRun() = 0;
  // One sample of the channel; returns the record count.
  virtual int TakeSample(int channel) = 0;
  virtual ProtocolHeader Header() const = 0;
  // Shows what the core's last refresh found.
  virtual void MirrorPanel() = 0;
  // Panels and buttons the subclass adds, disabled during a run with the shared ones.
  virtual void ShowRunState(bool running);

  // Runs a handler in the context's guard.
  void Guarded(const std::function<void()>& action);
  // Runs a step of the core and mirrors the panel whether it succeeds or raises.
  void Mirrored(const std::function<void()>& step);
  QPushButton* MakeButton(const QString& name, const QString& text);
  // 0 for all channels.
  int SelectedChannel() const;
  void SetChannelCount(int count);
  QLabel* Panel(const QString& name, QWidget* parent = nullptr);
  QLabel* Caption(const QString& name, const QString& text);

  void showEvent(QShowEvent* event) override;
  void done(int result) override;

  RunContext& context_;
  QGridLayout* controls_ = nullptr;  // the subclass's rows go here
  QLabel* plVRXType_ = nullptr;
  QPushButton* bnCalibr_ = nullptr;
  QPushButton* bnRefresh_ = nullptr;

 private:
  void Start(int intervalMs) override;
  void Stop() override;
  bool Active() const override;
  void ToggleRun();
  void Mirror();
  void SaveProtocol();
  void OnChannelChanged();

  AdcSamples samples_;
  QTimer timer_;
  CheckRun run_;
  QLineEdit* edChannel_ = nullptr;
  QLineEdit* edCount_ = nullptr;
  QLineEdit* edInterval_ = nullptr;
  UpDown* udChannel_ = nullptr;
  UpDown* udCount_ = nullptr;
  UpDown* udInterval_ = nullptr;
  QPushButton* btnAdcCheck_ = nullptr;
  QPushButton* bnPause_ = nullptr;
  QLabel* adcCheckStat_ = nullptr;
  AdcGrid* grid_ = nullptr;
};

}  // namespace vrx
