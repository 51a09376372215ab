#include "calibration/views/AdcGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <algorithm>

#include "calibration/AdcSamples.h"
#include "widgets/views/TwoLineTitles.h"

namespace vrx {

namespace {

// Alarm cells: black fill, the value in red, centred on one line; the painter's pen and
// background mode are put back afterwards.
class AlarmDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    if (!index.data(AdcSamples::kAlarmRole).toBool()) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    painter->save();
    painter->fillRect(option.rect, Qt::black);
    painter->setBackgroundMode(Qt::TransparentMode);
    painter->setPen(Qt::red);
    painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, index.data().toString());
    painter->restore();
  }
};

}  // namespace

AdcGrid::AdcGrid(AdcSamples& samples, QWidget* parent) : QTableView(parent) {
  setObjectName(QStringLiteral("DBGrid1"));
  setModel(&samples);
  setItemDelegate(new AlarmDelegate(this));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(true);
  ShowTitlesOnTwoLines(*horizontalHeader());
  // A column is as wide as its design width, its title on two lines and its widest text.
  const QFontMetrics cells = fontMetrics();
  const QFontMetrics titles = horizontalHeader()->fontMetrics();
  const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) +
                      2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 4;
  const std::vector<int> widths = samples.ColumnWidths();
  for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
    const int title = TwoLineTitleWidth(
        titles, samples.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    const int text = cells.horizontalAdvance(samples.WidestText(column));
    setColumnWidth(column,
                   std::max(widths[static_cast<size_t>(column)], std::max(title, text) + padding));
  }
}

void AdcGrid::wheelEvent(QWheelEvent* event) {
  const int rows = model()->rowCount();
  if (rows == 0) {
    return;
  }
  const int step = event->angleDelta().y() > 0 ? -1 : 1;
  const int row = std::clamp(currentIndex().row() + step, 0, rows - 1);
  setCurrentIndex(model()->index(row, std::max(0, currentIndex().column())));
  event->accept();
}

}  // namespace vrx
