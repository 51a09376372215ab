#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "session/ActionObserver.h"

class QWidget;

namespace vrx {

// Drops the clicks and keys made while a user action runs, instead of letting them act when it
// is over (or halfway, when an exchange lets the window draw). Only a modal window the action
// opened itself (a question, a file dialog, a dialog opened by a button) takes input meanwhile.
// When an action that talked to the instrument ends, the input that waited for it is dropped
// too; an action that did not block the window leaves the following input alone. A readout the
// window started by itself (`background` says so while it runs) drops nothing: its pump keeps
// the input, which acts when the readout is over.
class InputGuard : public QObject, public ActionObserver {
  Q_OBJECT

 public:
  // Watches the input of the whole application while it lives.
  explicit InputGuard(std::function<bool()> background, QObject* parent = nullptr);
  ~InputGuard() override;

  void ActionBegins() override;
  void ActionStep(LinkStep step) override;
  void ActionEnds(const ActionOutcome& outcome) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Frame {
    // The modal window that was active when the action began; input to it waits, too.
    QPointer<QWidget> modal;
    bool blocked = false;
    bool background = false;
  };

  bool Accepts(QObject* receiver) const;

  std::function<bool()> background_;
  std::vector<Frame> frames_;
};

}  // namespace vrx
