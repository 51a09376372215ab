#pragma once

#include <QHash>
#include <QWidget>

#include "current/CurrentParams.h"
#include "current/CurrentPolling.h"
#include "session/RunContext.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace vrx {

class TrendChart;

// The tab "Текущие параметры": the left panel with the read and reset buttons and the path to
// the instrument, the value panel with a row per quantity and a column per channel, the clocks
// and the cold-water panel. Every text and visibility is the core's (CurrentParams); the widgets
// only show them. `Timer2` gives the read button back after a readout. Under the values: the
// polling ("Опрос каждые N с", `tmPoll` times it), its CSV log and the trend chart.
class CurrentTab : public QWidget {
  Q_OBJECT

 public:
  CurrentTab(RunContext& context, QWidget* parent = nullptr);

  void bnReadCurParamsClick();
  void bnResetCurParamsClick();
  void Timer2Timer();

  // The read button's lock-out, held also by the RQ-7 unit's readout.
  ReadLockout& Lockout() { return core_.Lockout(); }
  // The path the radio buttons choose, for both readouts.
  CurrentPath ChosenPath() const;
  // What the tab shows, for its documents.
  const CurrentParams& Core() const { return core_; }
  // Ends the polling (the port or the path changed, "Сброс") and closes its log.
  void StopPolling();
  CurrentPolling& Polling() { return polling_; }

 signals:
  // "Печать…" and "Сохранить PDF…" of the last readout.
  void printRequested();
  void savePdfRequested();

 private:
  void FollowLockout();
  QWidget* BuildLeftPanel();
  QWidget* BuildValuePanel();
  QWidget* BuildPollingBar();
  void PollingClick();
  void CsvLogClick();
  void PollTimer();
  void ShowPolling();
  QLabel* Static(const QString& name, QWidget* parent);
  // Every control is at least as wide as the widest text it shows, in the font in use.
  void FitToWidestTexts();
  void Refresh();

  RunContext& context_;
  CurrentParams core_;
  QHash<QString, QLabel*> controls_;
  QWidget* plCurParams2_ = nullptr;
  QWidget* plColdWater_ = nullptr;
  QPushButton* bnReadCurParams_ = nullptr;
  QPushButton* bnResetCurParams_ = nullptr;
  QPushButton* bnPrint_ = nullptr;
  QPushButton* bnSavePdf_ = nullptr;
  QRadioButton* rbCable_ = nullptr;
  QRadioButton* rbRS_ = nullptr;
  QRadioButton* rbOPX_ = nullptr;
  QTimer* Timer2_ = nullptr;
  CurrentPolling polling_;
  QCheckBox* cbPolling_ = nullptr;
  QSpinBox* sePollSeconds_ = nullptr;
  QPushButton* bnCsvLog_ = nullptr;
  QLabel* lbCsvFile_ = nullptr;
  QTimer* tmPoll_ = nullptr;
  TrendChart* chart_ = nullptr;
};

}  // namespace vrx
