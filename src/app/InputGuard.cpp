#include "app/InputGuard.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace vrx {

namespace {

// The longest the end of an action spends dropping the input that waited for it.
constexpr int kDropInputMs = 100;

bool IsUserInput(const QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

// The widget an event is for: the widget itself, the top-level widget of a window, the widget
// that owns a shortcut.
QWidget* WidgetOf(QObject* receiver) {
  if (receiver->isWindowType()) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->windowHandle() == receiver)
        return widget;
    }
    return nullptr;
  }
  for (QObject* object = receiver; object != nullptr; object = object->parent()) {
    if (object->isWidgetType())
      return static_cast<QWidget*>(object);
  }
  return nullptr;
}

}  // namespace

InputGuard::InputGuard(std::function<bool()> background, QObject* parent)
    : QObject(parent), background_(std::move(background)) {
  qApp->installEventFilter(this);
}

InputGuard::~InputGuard() {
  qApp->removeEventFilter(this);
}

void InputGuard::ActionBegins() {
  frames_.push_back({QApplication::activeModalWidget(), false, background_()});
}

void InputGuard::ActionStep(LinkStep) {
  if (!frames_.empty() && !frames_.back().background)
    frames_.back().blocked = true;
}

void InputGuard::ActionEnds(const ActionOutcome&) {
  if (frames_.empty())
    return;
  // What the window system queued while the exchanges blocked is delivered now, while the frame
  // still drops it. Timers wait: one could start the next exchange before this action is over.
  if (frames_.back().blocked) {
    QCoreApplication::processEvents(
        QEventLoop::ExcludeSocketNotifiers | QEventLoop::X11ExcludeTimers, kDropInputMs);
  }
  frames_.pop_back();
}

bool InputGuard::Accepts(QObject* receiver) const {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || modal == frames_.back().modal)
    return false;
  for (QWidget* widget = WidgetOf(receiver); widget != nullptr; widget = widget->parentWidget()) {
    if (widget == modal)
      return true;
  }
  return false;
}

bool InputGuard::eventFilter(QObject* watched, QEvent* event) {
  if (frames_.empty() || frames_.back().background || !IsUserInput(event))
    return false;
  return !Accepts(watched);
}

}  // namespace vrx
