#pragma once

#include <QTableView>

namespace vrx {

class AdcSamples;

// The sample grid of the calibration dialogs: whole rows selected, centred cells, the columns at
// the table's widths; a deviation above the alarm threshold is drawn red on black. The mouse
// wheel moves the current record.
class AdcGrid : public QTableView {
  Q_OBJECT
 public:
  AdcGrid(AdcSamples& samples, QWidget* parent = nullptr);

 protected:
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace vrx
