#pragma once

#include <QString>
#include <QTextStream>
#include <QWidget>

namespace vrx::test {

// Draws the widget into a PNG file; a file that cannot be written is reported on `err`.
inline bool SaveScreenshot(QWidget& widget, const QString& path, QTextStream& err) {
  if (widget.grab().save(path))
    return true;
  err << "cannot write " << path << '\n';
  return false;
}

}  // namespace vrx::test
