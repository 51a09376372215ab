#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace vrx {

// With VRX_STARTUP_PROBE set in the environment, the program writes "first paint" to stderr once
// its window has been painted for the first time, and quits: the start-up benchmark times the
// window's start by it. Header-only, so that the benchmark's minimal window uses the same probe
// without linking the program's libraries.
class FirstPaintProbe : public QObject {
 public:
  static constexpr const char* kVariable = "VRX_STARTUP_PROBE";
  static constexpr const char* kLine = "first paint";

  static void Watch(QWidget& window) {
    if (qEnvironmentVariableIsSet(kVariable))
      window.installEventFilter(new FirstPaintProbe(&window));
  }

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      // Said when this paint has reached the screen, after the event's handling.
      QTimer::singleShot(0, [] {
        std::fprintf(stderr, "%s\n", kLine);
        std::fflush(stderr);
        QCoreApplication::quit();
      });
    }
    return false;
  }

 private:
  explicit FirstPaintProbe(QObject* parent) : QObject(parent) {}
  bool painted_ = false;
};

}  // namespace vrx
