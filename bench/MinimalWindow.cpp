// The start-up benchmark's measure of Qt's own start of a window: an application that shows
// one empty window and says when it is painted, as vrx-service does with the same probe.

#include <QApplication>
#include <QWidget>

#include "app/FirstPaintProbe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(800, 600);
  vrx::FirstPaintProbe::Watch(window);
  window.show();
  return QApplication::exec();
}
