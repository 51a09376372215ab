// The start-up benchmark's measure of Qt's own start of a window of the tool's kind: a main
// window with six captioned tabs and a status line, and nothing else, that says when it is
// painted, as vrx-service does with the same probe. Its texts make Qt set up its fonts, which
// any window with a caption pays for; an empty window would not.

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabWidget>

#include "app/FirstPaintProbe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(827, 631);
  auto* tabs = new QTabWidget(&window);
  for (const char* caption : {"Инициализация VRX", "Сервис", "Текущие параметры", "Доп. интерфейс",
                              "Инициализация RQ", "Текущие параметры RQ"})
    tabs->addTab(new QWidget(tabs), QString::fromUtf8(caption));
  window.setCentralWidget(tabs);
  window.statusBar()->showMessage(QStringLiteral("COM1"));
  vrx::FirstPaintProbe::Watch(window);
  window.show();
  return QApplication::exec();
}
