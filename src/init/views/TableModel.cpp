#include "init/views/TableModel.h"

#include <QColor>
#include <QFont>
#include <QScopedValueRollback>
#include <utility>

namespace vrx {

TableModel::TableModel(Runner run, QObject* parent)
    : QAbstractTableModel(parent), run_(std::move(run)) {}

void TableModel::Refresh() {
  const int rows = TableRows();
  if (rows != shownRows_) {
    beginResetModel();
    shownRows_ = rows;
    endResetModel();
  } else if (rows > 0) {
    emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
  }
}

int TableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

bool TableModel::Valid(const QModelIndex& index) const {
  // The table may already have lost rows the grid still shows: a rebuild reports itself when it
  // is complete, and the grid can paint in between (the link pumps events while it waits).
  return index.isValid() && index.row() < TableRows() && index.column() < columnCount();
}

void TableModel::SetMarkedCells(QSet<std::pair<int, int>> cells) {
  if (cells == marked_)
    return;
  marked_ = std::move(cells);
  Refresh();
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!Valid(index))
    return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return Text(index.row(), index.column());
    case kPickListRole:
      return PickList(index.row(), index.column());
    case Qt::BackgroundRole:
      if (marked_.contains({index.row(), index.column()}))
        return QColor(QString::fromLatin1(kMarkColor));
      return {};
    case Qt::FontRole:
      if (Bold(index.column())) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    default:
      return {};
  }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
    return Title(section);
  return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
  if (!Valid(index))
    return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (Editable(index.row(), index.column()))
    flags |= Qt::ItemIsEditable;
  return flags;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !Valid(index) || entering_)
    return false;
  const QScopedValueRollback<bool> entering(entering_, true);
  bool done = false;
  run_([&] {
    SetText(index.row(), index.column(), value.toString());
    done = true;
  });
  return done;
}

}  // namespace vrx
