#pragma once

#include <array>

#include "service/CounterSetting.h"
#include "service/views/ServiceDialog.h"

class QLabel;
class QLineEdit;

namespace vrx {

// "Установка счетчиков": mirrors CounterSetting in masked edits.
class TCountersForm : public ServiceDialog {
 public:
  TCountersForm(RunContext& context, EraseArchiveFlag erase, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void FormShow() override { core_.FormShow(); }
  void Mirror() override;

 private:
  // The texts typed into the editable fields, into the core.
  void TakeTexts();
  // "Записать": a refused value puts the focus into its field.
  void Write();

  CounterSetting core_;
  QLabel* plDeviceType_ = nullptr;
  QLabel* plNScheme_ = nullptr;
  std::array<QLabel*, kCounterCount> labels_{};
  std::array<QLineEdit*, kCounterCount> edits_{};
};

}  // namespace vrx
