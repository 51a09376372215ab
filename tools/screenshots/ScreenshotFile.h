#pragma once

#include <QApplication>
#include <QLocale>
#include <QString>
#include <QStringList>
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

// What every screenshot program does first: numbers as the Russian desktop shows them, and its
// arguments, the first of them where the pictures go. Empty, with the usage on `err`, when that
// argument is missing.
inline QStringList ScreenshotArguments(QTextStream& err, const char* usage) {
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() >= 2)
    return arguments;
  err << "usage: " << usage << '\n';
  return {};
}

}  // namespace vrx::test
