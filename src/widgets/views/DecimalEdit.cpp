#include "widgets/views/DecimalEdit.h"

#include <QKeyEvent>

#include "widgets/DecimalEditInput.h"

namespace vrx {

DecimalEdit::DecimalEdit(const QString& name, QWidget* parent) : QLineEdit(parent) {
  setObjectName(name);
}

void DecimalEdit::keyPressEvent(QKeyEvent* event) {
  // Delete edits without typing a character, as the cursor keys do.
  const QString typed = event->text();
  if (event->key() != Qt::Key_Delete && !typed.isEmpty() && DecimalEditInput(typed) != typed) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace vrx
