#include "init/views/CircuitsModel.h"

#include <utility>

namespace vrx {

namespace {

CircuitColumn Column(int column) {
  return static_cast<CircuitColumn>(column);
}

}  // namespace

CircuitsModel::CircuitsModel(InitWorkspace& workspace, Runner run, QObject* parent)
    : TableModel(std::move(run), parent), workspace_(workspace) {
  setObjectName(QStringLiteral("cdsCircuits"));
}

int CircuitsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kCircuitColumnCount;
}

QString CircuitsModel::Text(int row, int column) const {
  return workspace_.cdsCircuits().Text(row, Column(column));
}

bool CircuitsModel::Editable(int row, int column) const {
  return !PickList(row, column).isEmpty();
}

QStringList CircuitsModel::PickList(int row, int column) const {
  return workspace_.cdsCircuits().PickList(row, Column(column));
}

void CircuitsModel::SetText(int row, int column, const QString& text) {
  workspace_.SetCircuitText(row, Column(column), text);
}

QString CircuitsModel::Title(int column) const {
  return CircuitsTable::ColumnTitle(Column(column));
}

bool CircuitsModel::insertRows(int /*row*/, int /*count*/, const QModelIndex& /*parent*/) {
  return false;
}

bool CircuitsModel::removeRows(int /*row*/, int /*count*/, const QModelIndex& /*parent*/) {
  return false;
}

}  // namespace vrx
