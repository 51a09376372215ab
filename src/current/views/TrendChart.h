#pragma once

#include <QWidget>
#include <map>

#include "current/CurrentPolling.h"

class QChart;
class QChartView;
class QCheckBox;
class QDateTimeAxis;
class QHBoxLayout;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QValueAxis;

namespace vrx {

// The trend chart under the values of "Текущие параметры": a line per series of the polling,
// shown while its check box is on, an axis per quantity in the tab's units, time along the
// bottom with a mark at every failed readout. "Пауза" holds the picture while the polling goes
// on; "Очистить" asks the polling to forget its points.
class TrendChart : public QWidget {
  Q_OBJECT

 public:
  explicit TrendChart(QWidget* parent = nullptr);

  // Draws the series and failures as the polling holds them now (held while paused).
  void Show(const CurrentPolling& polling);

 signals:
  void clearClicked();

 private:
  void AddSeries(const CurrentPolling::Series& series);
  void Redraw();

  const CurrentPolling* polling_ = nullptr;
  QChart* chart_ = nullptr;
  QChartView* view_ = nullptr;
  QWidget* choices_ = nullptr;
  QHBoxLayout* choiceRow_ = nullptr;
  QPushButton* bnPause_ = nullptr;
  QDateTimeAxis* time_ = nullptr;
  std::map<CurrentPolling::Quantity, QValueAxis*> axes_;
  QValueAxis* markAxis_ = nullptr;
  QScatterSeries* failures_ = nullptr;
  struct Line {
    QLineSeries* series;
    QCheckBox* box;
  };
  std::map<QString, Line> lines_;
};

}  // namespace vrx
