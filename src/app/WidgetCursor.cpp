#include "app/WidgetCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace vrx {

WidgetCursor::~WidgetCursor() {
  Set(CursorShape::Normal);
}

void WidgetCursor::Set(CursorShape shape) {
  if (shape == shape_)
    return;
  // Exactly one override is pushed while the wait cursor shows, whatever the nesting of guards.
  if (shape == CursorShape::Wait)
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  else
    QGuiApplication::restoreOverrideCursor();
  shape_ = shape;
}

}  // namespace vrx
