#include "widgets/views/NumberEdit.h"

#include <QKeyEvent>

#include "widgets/NumberEditSteps.h"

namespace vrx {

NumberEdit::NumberEdit(const QString& name, Step step, QWidget* parent)
    : QLineEdit(parent), step_(step) {
  setObjectName(name);
}

void NumberEdit::StepKey(int key) {
  if (key != Qt::Key_Up && key != Qt::Key_Down)
    return;
  setText(step_(text(), key == Qt::Key_Up));
  emit textEdited(text());
}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Up || key == Qt::Key_Down) {
    StepKey(key);
    event->accept();
    return;
  }
  // Delete edits without typing a character, as the cursor keys do.
  const QString typed = event->text();
  if (key != Qt::Key_Delete && !typed.isEmpty() && NumberEditInput(typed) != typed) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace vrx
