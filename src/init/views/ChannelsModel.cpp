#include "init/views/ChannelsModel.h"

#include <utility>

namespace vrx {

ChannelsModel::ChannelsModel(ChannelsTable& table, Runner run, QObject* parent)
    : TableModel(std::move(run), parent), table_(table) {
  setObjectName(QStringLiteral("cdsChannels"));
}

ChannelField ChannelsModel::Field(int column) {
  return ChannelsTable::GridColumns()[static_cast<size_t>(column)];
}

int ChannelsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ChannelsTable::kGridColumnCount;
}

QString ChannelsModel::Text(int row, int column) const {
  return table_.Text(row, Field(column));
}

bool ChannelsModel::Editable(int row, int column) const {
  return table_.Editable(row, Field(column));
}

QStringList ChannelsModel::PickList(int /*row*/, int column) const {
  // The lists of Ticks and gth are those of the table's current row, which the grid keeps on
  // the row it edits.
  return table_.PickList(Field(column));
}

void ChannelsModel::SetText(int row, int column, const QString& text) {
  table_.SetText(row, Field(column), text);
}

QString ChannelsModel::Title(int column) const {
  return ChannelsTable::ColumnTitle(Field(column));
}

bool ChannelsModel::Bold(int column) const {
  return Field(column) == ChannelField::ChannelNo;
}

bool ChannelsModel::insertRows(int row, int count, const QModelIndex& parent) {
  // The table keeps its rows in channel order, so a new row goes to the end wherever it is asked.
  if (parent.isValid() || count < 1 || row < 0 || row > table_.RowCount())
    return false;
  bool inserted = true;
  for (int i = 0; i < count && inserted; ++i)
    inserted = table_.AppendRow(ChannelRow{});
  return inserted;
}

bool ChannelsModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || count < 1 || row < 0 || row + count > table_.RowCount())
    return false;
  bool removed = true;
  for (int i = 0; i < count && removed; ++i)
    removed = table_.DeleteRow(row);
  return removed;
}

}  // namespace vrx
