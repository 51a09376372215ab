#pragma once

#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>
#include <functional>
#include <utility>

namespace vrx {

// The background of a control or cell in which the instrument differs from a template.
inline constexpr char kMarkColor[] = "#ffc8c8";

// A grid's view of one of the tab's tables: cell texts, which cells take input, the drop-down
// choices of a cell and the texts the user enters. The table itself keeps the rules; the model
// only moves texts. Every entered text runs through `run`, the tab's action guard.
class TableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The drop-down choices of a cell (QStringList); empty for a cell typed as free text.
  static constexpr int kPickListRole = Qt::UserRole + 1;

  using Runner = std::function<void(const std::function<void()>&)>;

  TableModel(Runner run, QObject* parent);

  // Shows the table as it is now: a changed row count resets the model, otherwise every cell is
  // reported changed (an open editor stays open).
  void Refresh();
  // Cells drawn on the mark colour, as (row, column); the others on the grid's own.
  void SetMarkedCells(QSet<std::pair<int, int>> cells);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 protected:
  virtual int TableRows() const = 0;
  virtual QString Text(int row, int column) const = 0;
  virtual bool Editable(int row, int column) const = 0;
  virtual QStringList PickList(int row, int column) const = 0;
  virtual void SetText(int row, int column, const QString& text) = 0;
  virtual QString Title(int column) const = 0;
  virtual bool Bold(int /*column*/) const { return false; }

 private:
  bool Valid(const QModelIndex& index) const;

  Runner run_;
  QSet<std::pair<int, int>> marked_;
  int shownRows_ = 0;
  // An error box that opens while a text is entered takes the focus from the cell editor, which
  // then offers its text once more; that second entry is dropped.
  bool entering_ = false;
};

}  // namespace vrx
