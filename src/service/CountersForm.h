#pragma once

#include <QDialog>
#include <array>

#include "service/CounterSetting.h"
#include "service/DialogParts.h"

class QLabel;
class QLineEdit;

namespace vrx {

// "Установка счетчиков": mirrors CounterSetting in masked edits. Created once and reused;
// showing it prepares it for the connected instrument.
class TCountersForm : public QDialog {
  Q_OBJECT

 public:
  TCountersForm(RunContext& context, EraseArchiveFlag erase, QWidget* parent = nullptr);

  CounterSetting& Core() { return core_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void Mirror();
  // The texts typed into the editable fields, into the core.
  void TakeTexts();

  RunContext& context_;
  EraseArchiveFlag erase_;
  CounterSetting core_;
  QLabel* plDeviceType_ = nullptr;
  QLabel* plNScheme_ = nullptr;
  std::array<QLabel*, kCounterCount> labels_{};
  std::array<QLineEdit*, kCounterCount> edits_{};
};

}  // namespace vrx
