#include "current/views/TrendChart.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace vrx {

namespace {

constexpr int kSpacing = 2;
constexpr int kMinChartHeight = 220;
// The time axis spans at least a minute, so the first points do not fill it edge to edge.
constexpr double kMinSpanMs = 60 * 1000;
constexpr double kDayMs = 24 * 60 * 60 * 1000.0;

using Quantity = CurrentPolling::Quantity;

// Colours apart from each other for the up to 12 series of an instrument (4 temperatures, 5
// flows, 2 powers), in the order they appear.
const char* const kColours[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd", "#8c564b",
                                "#e377c2", "#7f7f7f", "#bcbd22", "#17becf", "#393b79", "#637939"};

QString UnitOf(const QString& title) {
  const qsizetype comma = title.indexOf(QStringLiteral(", "));
  return comma < 0 ? QString() : title.mid(comma + 2);
}

}  // namespace

TrendChart::TrendChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TrendChart"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(kSpacing);

  auto* bar = new QHBoxLayout;
  choices_ = new QWidget(this);
  choices_->setObjectName(QStringLiteral("plSeries"));
  choiceRow_ = new QHBoxLayout(choices_);
  choiceRow_->setContentsMargins(0, 0, 0, 0);
  choiceRow_->addStretch(1);
  bar->addWidget(choices_, 1);
  bnPause_ = new QPushButton(QStringLiteral("Пауза"), this);
  bnPause_->setObjectName(QStringLiteral("bnPause"));
  bnPause_->setCheckable(true);
  auto* bnClear = new QPushButton(QStringLiteral("Очистить"), this);
  bnClear->setObjectName(QStringLiteral("bnClearTrend"));
  bar->addWidget(bnPause_);
  bar->addWidget(bnClear);
  column->addLayout(bar);

  chart_ = new QChart;
  chart_->setObjectName(QStringLiteral("chTrend"));
  chart_->legend()->hide();
  chart_->setMargins(QMargins(2, 2, 2, 2));
  // The axes' numbers in the locale the tab's cells use (a decimal comma), not printf's point.
  chart_->setLocalizeNumbers(true);
  chart_->setLocale(QLocale());
  time_ = new QDateTimeAxis(chart_);
  time_->setObjectName(QStringLiteral("axTime"));
  time_->setFormat(QStringLiteral("HH:mm:ss"));
  chart_->addAxis(time_, Qt::AlignBottom);
  const std::pair<Quantity, Qt::Alignment> places[] = {{Quantity::Temperature, Qt::AlignLeft},
                                                       {Quantity::Flow, Qt::AlignRight},
                                                       {Quantity::Power, Qt::AlignRight}};
  for (const auto& [quantity, side] : places) {
    auto* axis = new QValueAxis(chart_);
    axis->setObjectName(QStringLiteral("axValues%1").arg(static_cast<int>(quantity)));
    axis->setLabelFormat(QStringLiteral("%.2f"));
    axis->hide();
    chart_->addAxis(axis, side);
    axes_[quantity] = axis;
  }
  // The failures sit on the time axis: a hidden axis of their own holds them at its bottom.
  markAxis_ = new QValueAxis(chart_);
  markAxis_->setObjectName(QStringLiteral("axFailures"));
  markAxis_->setRange(0, 1);
  markAxis_->hide();
  chart_->addAxis(markAxis_, Qt::AlignLeft);
  failures_ = new QScatterSeries(chart_);
  failures_->setObjectName(QStringLiteral("srFailures"));
  failures_->setName(QStringLiteral("Сбой считывания"));
  failures_->setColor(Qt::red);
  failures_->setMarkerSize(9);
  chart_->addSeries(failures_);
  failures_->attachAxis(time_);
  failures_->attachAxis(markAxis_);

  view_ = new QChartView(chart_, this);
  view_->setObjectName(QStringLiteral("cvTrend"));
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumHeight(kMinChartHeight);
  // The chart takes the room the values leave; its own wish (a tall picture) would make the tab
  // scroll.
  view_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  column->addWidget(view_, 1);

  connect(bnPause_, &QPushButton::toggled, this, [this] { Redraw(); });
  connect(bnClear, &QPushButton::clicked, this, &TrendChart::clearClicked);
}

void TrendChart::AddSeries(const CurrentPolling::Series& series) {
  auto* line = new QLineSeries(chart_);
  line->setObjectName(QStringLiteral("sr_") + series.cell);
  line->setColor(QColor(QString::fromLatin1(kColours[lines_.size() % std::size(kColours)])));
  chart_->addSeries(line);
  line->attachAxis(time_);
  line->attachAxis(axes_.at(series.quantity));
  auto* box = new QCheckBox(choices_);
  box->setObjectName(QStringLiteral("cb_") + series.cell);
  box->setChecked(true);
  // The box takes the colour of its line, so the legend is the row of boxes.
  box->setStyleSheet(QStringLiteral("QCheckBox { color: %1; }").arg(line->color().name()));
  choiceRow_->insertWidget(static_cast<int>(lines_.size()), box);
  connect(box, &QCheckBox::toggled, this, [this] { Redraw(); });
  lines_.emplace(series.cell, Line{line, box});
}

void TrendChart::Show(const CurrentPolling& polling) {
  polling_ = &polling;
  for (const CurrentPolling::Series& series : polling.AllSeries()) {
    if (lines_.count(series.cell) == 0)
      AddSeries(series);
    lines_.at(series.cell).box->setText(series.title);
  }
  Redraw();
}

void TrendChart::Redraw() {
  if (polling_ == nullptr || bnPause_->isChecked())
    return;
  double first = std::numeric_limits<double>::max();
  double last = std::numeric_limits<double>::lowest();
  struct Range {
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    QString unit;
  };
  std::map<Quantity, Range> ranges;
  std::map<QString, bool> kept;
  for (const CurrentPolling::Series& series : polling_->AllSeries()) {
    const Line& line = lines_.at(series.cell);
    kept[series.cell] = true;
    const bool on = line.box->isChecked();
    line.series->setVisible(on);
    const QVector<QPointF> points = on ? series.points.Points() : QVector<QPointF>();
    line.series->replace(points);
    for (const QPointF& p : points) {
      Range& range = ranges[series.quantity];
      range.low = std::min(range.low, p.y());
      range.high = std::max(range.high, p.y());
      range.unit = UnitOf(series.title);
      first = std::min(first, p.x());
      last = std::max(last, p.x());
    }
  }
  // "Очистить" forgets the series: their lines go empty until the next readout.
  for (auto& [cell, line] : lines_) {
    if (kept.count(cell) == 0)
      line.series->clear();
  }
  // The failures are kept at 0, the bottom of their hidden axis.
  const QVector<QPointF> failed = polling_->Failures().Points();
  for (const QPointF& p : failed) {
    first = std::min(first, p.x());
    last = std::max(last, p.x());
  }
  failures_->replace(failed);
  for (auto& [quantity, axis] : axes_) {
    const auto it = ranges.find(quantity);
    axis->setVisible(it != ranges.end());
    if (it == ranges.end())
      continue;
    // A flat line sits in the middle of a band of its own size.
    const double pad = std::max(0.05 * (it->second.high - it->second.low),
                                0.01 * std::max(1.0, std::abs(it->second.high)));
    axis->setRange(it->second.low - pad, it->second.high + pad);
    axis->setTitleText(it->second.unit);
  }
  if (first > last)
    return;
  last = std::max(last, first + kMinSpanMs);
  time_->setFormat(last - first > kDayMs / 2 ? QStringLiteral("dd.MM HH:mm")
                                             : QStringLiteral("HH:mm:ss"));
  time_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(first)),
                  QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(last)));
}

}  // namespace vrx
