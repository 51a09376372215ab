#pragma once

#include <QStyledItemDelegate>

namespace vrx {

// The cell editor of the tab's grids: a drop-down list of the cell's choices (the model's
// pick list) where the cell has them, a decimal edit where the cell takes a typed number. A
// picked item is entered at once. A drop-down list narrower than its longest choice opens as wide
// as that choice, over the next cells, so that it shows its value whole.
class PickListDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;
};

}  // namespace vrx
