#pragma once

#include "init/InitWorkspace.h"
#include "init/views/TableModel.h"

namespace vrx {

// `cdsCircuits` as the grid DBGrid2 shows it. A cell takes input where the table offers choices
// for it; a changed test repaints the row's reaction through the workspace.
class CircuitsModel : public TableModel {
  Q_OBJECT

 public:
  CircuitsModel(InitWorkspace& workspace, Runner run, QObject* parent);

  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // The nine rows are the program's: the grid can neither add nor remove one.
  bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
  bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

 protected:
  int TableRows() const override { return workspace_.cdsCircuits().RowCount(); }
  QString Text(int row, int column) const override;
  bool Editable(int row, int column) const override;
  QStringList PickList(int row, int column) const override;
  void SetText(int row, int column, const QString& text) override;
  QString Title(int column) const override;

 private:
  InitWorkspace& workspace_;
};

}  // namespace vrx
