#include "init/views/DbGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "init/views/PickListDelegate.h"
#include "widgets/views/TwoLineTitles.h"

namespace vrx {

namespace {

// Room around a cell text.
constexpr int kCellPadding = 10;

}  // namespace

DbGrid::DbGrid(const QString& name, QWidget* parent) : QTableView(parent) {
  setObjectName(name);
  setItemDelegate(new PickListDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  setWordWrap(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  ShowTitlesOnTwoLines(*horizontalHeader());
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  // Columns wider than the grid bring the scroll bar, which needs room of its own.
  connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { updateGeometry(); });
}

void DbGrid::MoveRow(int rows) {
  if (model() == nullptr || model()->rowCount() == 0)
    return;
  const QModelIndex current = currentIndex();
  const int row =
      std::clamp(current.isValid() ? current.row() + rows : 0, 0, model()->rowCount() - 1);
  int column = current.isValid() ? current.column() : 0;
  while (column < model()->columnCount() - 1 && isColumnHidden(column))
    ++column;
  setCurrentIndex(model()->index(row, column));
}

void DbGrid::FitColumns() {
  if (model() == nullptr)
    return;
  const QFontMetrics metrics = fontMetrics();
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics boldMetrics(bold);
  fitted_.assign(static_cast<size_t>(model()->columnCount()), 0);
  for (int column = 0; column < model()->columnCount(); ++column) {
    int width = TwoLineTitleWidth(metrics, model()->headerData(column, Qt::Horizontal).toString());
    for (int row = 0; row < model()->rowCount(); ++row) {
      const QModelIndex cell = model()->index(row, column);
      const bool isBold = cell.data(Qt::FontRole).value<QFont>().bold();
      width = std::max(width,
                       (isBold ? boldMetrics : metrics).horizontalAdvance(cell.data().toString()));
    }
    // The header does not make a column narrower than its least section.
    fitted_[static_cast<size_t>(column)] =
        std::max(width + kCellPadding, horizontalHeader()->minimumSectionSize());
  }
  SpreadColumns();
}

void DbGrid::SpreadColumns() {
  if (model() == nullptr || fitted_.size() != static_cast<size_t>(model()->columnCount()))
    return;
  int total = 0;
  for (int column = 0; column < model()->columnCount(); ++column) {
    if (!isColumnHidden(column))
      total += fitted_[static_cast<size_t>(column)];
  }
  const int room = std::max(viewport()->width() - total, 0);
  int given = 0;
  for (int column = 0; column < model()->columnCount(); ++column) {
    if (isColumnHidden(column))
      continue;
    const int width = fitted_[static_cast<size_t>(column)];
    const int share = total > 0 ? static_cast<int>(int64_t{room} * width / total) : 0;
    setColumnWidth(column, width + share);
    given += share;
  }
  // The pixels the shares rounded away go to the last shown column.
  for (int column = model()->columnCount() - 1; column >= 0; --column) {
    if (!isColumnHidden(column)) {
      setColumnWidth(column, columnWidth(column) + room - given);
      break;
    }
  }
}

void DbGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  SpreadColumns();
}

void DbGrid::SetShownRows(int rows) {
  if (rows == shownRows_)
    return;
  shownRows_ = rows;
  updateGeometry();
}

QSize DbGrid::sizeHint() const {
  QSize size = QTableView::sizeHint();
  if (shownRows_ > 0)
    size.setHeight(HeightForRows(shownRows_));
  return size;
}

int DbGrid::HeightForRows(int rows) const {
  const int scrollBar =
      horizontalScrollBar()->maximum() > 0 ? horizontalScrollBar()->sizeHint().height() : 0;
  return horizontalHeader()->height() + rows * verticalHeader()->defaultSectionSize() +
         2 * frameWidth() + scrollBar;
}

bool DbGrid::Contains(const QWidget* widget) const {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (w == this)
      return true;
    // Whatever sits directly on the cell area is an editor.
    if (w->parentWidget() == viewport())
      return false;
  }
  return false;
}

void DbGrid::keyPressEvent(QKeyEvent* event) {
  if (model() != nullptr && state() != QAbstractItemView::EditingState) {
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    const int last = model()->rowCount() - 1;
    switch (event->key()) {
      case Qt::Key_Insert:
        model()->insertRows(row, 1);
        event->accept();
        return;
      case Qt::Key_Delete:
        if (currentIndex().isValid())
          model()->removeRows(row, 1);
        event->accept();
        return;
      case Qt::Key_Down:
        if (row == last && event->modifiers() == Qt::NoModifier) {
          model()->insertRows(last + 1, 1);
          event->accept();
          return;
        }
        break;
      default:
        break;
    }
  }
  QTableView::keyPressEvent(event);
}

bool DbGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (index.isValid() && currentIndex().row() != index.row() &&
      (index.flags() & Qt::ItemIsEditable) != 0) {
    setCurrentIndex(index);
  }
  return QTableView::edit(index, trigger, event);
}

}  // namespace vrx
