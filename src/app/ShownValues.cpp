#include "app/ShownValues.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace vrx {

namespace {

void AddModel(const QAbstractItemModel& model, QStringList& values) {
  for (int row = 0; row < model.rowCount(); ++row) {
    for (int column = 0; column < model.columnCount(); ++column)
      values << model.index(row, column).data().toString();
  }
}

}  // namespace

QStringList ShownValues(const QWidget& root) {
  QStringList values;
  for (const QWidget* widget : root.findChildren<QWidget*>()) {
    // The status bar tells about the action itself.
    if (!widget->isVisibleTo(&root) || qobject_cast<const QStatusBar*>(widget->parentWidget()))
      continue;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
      values << label->text();
    else if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
      values << edit->text();
    else if (const auto* box = qobject_cast<const QComboBox*>(widget))
      values << box->currentText();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
      values << QString::number(button->isChecked());
    else if (const auto* slider = qobject_cast<const QAbstractSlider*>(widget))
      values << QString::number(slider->value());
    else if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget))
      values << spin->text();
    else if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget))
      values << text->toPlainText();
    else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget);
             view != nullptr && view->model() != nullptr)
      AddModel(*view->model(), values);
  }
  return values;
}

}  // namespace vrx
