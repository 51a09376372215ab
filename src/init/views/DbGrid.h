#pragma once

#include <QTableView>
#include <vector>

namespace vrx {

// A grid of the tab over one of its table models. It keeps the table engine's keys: Insert asks
// the model for a new row, Delete and Ctrl+Delete to remove the current one, Down on the last
// row to append one; the models refuse them while the program is not rebuilding the table.
// Columns fit their texts and choices, with titles wrapped onto two lines; a grid wider than its
// columns shares the room out among them, so the grid grows with the window.
class DbGrid : public QTableView {
  Q_OBJECT

 public:
  explicit DbGrid(const QString& name, QWidget* parent = nullptr);

  // Moves the current cell by `rows` rows, staying in the grid and in its column.
  void MoveRow(int rows);
  // Widths of the columns for their titles and what the cells show, and the room left shared out.
  void FitColumns();
  // The height the grid asks for: its titles and this many rows.
  void SetShownRows(int rows);
  QSize sizeHint() const override;

  // Whether a widget is part of the grid itself (its cells, header or scroll bars) rather than a
  // cell editor open in it.
  bool Contains(const QWidget* widget) const;

 protected:
  int HeightForRows(int rows) const;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // An edit starts on the row it edits, so the row's own choices are offered.
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

 private:
  // Gives every shown column its fitted width and a share of the room the grid has beyond them.
  void SpreadColumns();

  int shownRows_ = 0;
  std::vector<int> fitted_;
};

}  // namespace vrx
