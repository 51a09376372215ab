#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace vrx::test {

// Runs `handle` on the first modal window that opens from now on, from inside its own event
// loop; gives up after timeoutMs. Returns a flag that tells whether a modal window was seen.
inline std::shared_ptr<bool> OnNextModal(std::function<void(QWidget*)> handle,
                                         int timeoutMs = 5000) {
  auto seen = std::make_shared<bool>(false);
  auto* poll = new QTimer();
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, poll,
                   [poll, seen, clock, handle = std::move(handle), timeoutMs] {
                     QWidget* modal = QApplication::activeModalWidget();
                     if (modal != nullptr && modal->isVisible()) {
                       poll->stop();
                       poll->deleteLater();
                       *seen = true;
                       handle(modal);
                     } else if (clock->elapsed() > timeoutMs) {
                       poll->stop();
                       poll->deleteLater();
                     }
                   });
  poll->start();
  return seen;
}

}  // namespace vrx::test
