#include "init/views/PickListDelegate.h"

#include <QComboBox>
#include <algorithm>

#include "init/views/TableModel.h"
#include "widgets/views/DecimalEdit.h"

namespace vrx {

QWidget* PickListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                        const QModelIndex& index) const {
  const QStringList choices = index.data(TableModel::kPickListRole).toStringList();
  // The cells without choices hold numbers: agreed values and thresholds.
  if (choices.isEmpty()) {
    auto* edit = new DecimalEdit(QStringLiteral("CellEdit"), parent);
    edit->setFrame(false);
    return edit;
  }
  auto* list = new QComboBox(parent);
  list->setObjectName(QStringLiteral("PickList"));
  list->setEditable(false);
  list->addItems(choices);
  connect(list, &QComboBox::activated, this, [this, list] {
    auto* self = const_cast<PickListDelegate*>(this);
    emit self->commitData(list);
    emit self->closeEditor(list);
  });
  return list;
}

void PickListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    // A cell showing a text outside the list (e.g. "Недоп. зн.") starts without a selection.
    list->setCurrentIndex(list->findText(index.data(Qt::EditRole).toString()));
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void PickListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    if (list->currentIndex() >= 0)
      model->setData(index, list->currentText(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

void PickListDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
  QStyledItemDelegate::updateEditorGeometry(editor, option, index);
  auto* list = qobject_cast<QComboBox*>(editor);
  if (list == nullptr)
    return;
  QRect area = editor->geometry();
  area.setWidth(std::max(area.width(), list->sizeHint().width()));
  // Kept inside the cell area: a list at the right edge opens leftwards.
  const int right = editor->parentWidget()->width();
  if (area.right() >= right)
    area.moveRight(std::max(right - 1, area.width() - 1));
  editor->setGeometry(area);
}

}  // namespace vrx
