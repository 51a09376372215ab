#pragma once

#include "init/ChannelsTable.h"
#include "init/views/TableModel.h"

namespace vrx {

// `cdsChannels` as the grid DBGrid1 shows it: the grid columns of the channel table, the channel
// number in bold and never editable, cells showing "----" closed to input.
class ChannelsModel : public TableModel {
  Q_OBJECT

 public:
  ChannelsModel(ChannelsTable& table, Runner run, QObject* parent);

  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // Rows come and go only through the table, which refuses both while its editing flag is clear.
  bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
  bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

 protected:
  int TableRows() const override { return table_.RowCount(); }
  QString Text(int row, int column) const override;
  bool Editable(int row, int column) const override;
  QStringList PickList(int row, int column) const override;
  void SetText(int row, int column, const QString& text) override;
  QString Title(int column) const override;
  bool Bold(int column) const override;

 private:
  static ChannelField Field(int column);

  ChannelsTable& table_;
};

}  // namespace vrx
