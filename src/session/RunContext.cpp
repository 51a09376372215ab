#include "session/RunContext.h"

#include <algorithm>
#include <stdexcept>

#include "link/ToolSettings.h"
#include "session/ActionGuard.h"

namespace vrx {

RunContext::RunContext(Pacer& pacer, CursorControl& cursor, Messages& messages, PortNaming naming,
                       std::unique_ptr<SerialBackend> backend, QString settingsFile)
    : messages(messages),
      connection(pacer, cursor, std::move(naming), std::move(backend)),
      settingsFile_(std::move(settingsFile)) {
  connection.activity.Listen([this](LinkStep step) {
    for (ActionObserver* observer : observers_)
      observer->ActionStep(step);
  });
}

bool RunContext::RunAction(const std::function<void()>& action) {
  ActionOutcome outcome;
  Observed([&](ActionOutcome& ended) { RunGuarded(connection.cursor, messages, action, &ended); },
           outcome);
  return outcome.end == ActionOutcome::End::Done;
}

void RunContext::RunBackground(const std::function<void()>& action, ActionOutcome& outcome) {
  connection.pacer.holdInput = true;
  Observed(
      [&](ActionOutcome& ended) {
        // No error box: the error goes to the outcome only.
        RecordingMessages unshown;
        RunGuarded(connection.cursor, unshown, action, &ended);
      },
      outcome);
  connection.pacer.holdInput = false;
}

void RunContext::Observed(const std::function<void(ActionOutcome&)>& run, ActionOutcome& outcome) {
  // Only the observers told of the beginning are told of the end, and only while they are still
  // there (an action may close a window that observes).
  const std::vector<ActionObserver*> observers = observers_;
  for (ActionObserver* observer : observers)
    observer->ActionBegins();
  ++depth_;
  run(outcome);
  --depth_;
  // The trace shows the action's last exchange now, not when the next action begins.
  connection.port.EndExchange();
  for (auto it = observers.rbegin(); it != observers.rend(); ++it) {
    if (std::find(observers_.begin(), observers_.end(), *it) != observers_.end())
      (*it)->ActionEnds(outcome);
  }
  if (afterAction)
    afterAction();
}

void RunContext::AddObserver(ActionObserver& observer) {
  observers_.push_back(&observer);
}

void RunContext::RemoveObserver(ActionObserver& observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), &observer), observers_.end());
}

PcTimeConfirmation& RunContext::TimeConfirmation() const {
  if (timeConfirmation == nullptr)
    throw std::logic_error("no PC clock confirmation is installed");
  return *timeConfirmation;
}

FileDialogs& RunContext::Files() const {
  if (fileDialogs == nullptr)
    throw std::logic_error("no file dialogs are installed");
  return *fileDialogs;
}

void RunContext::WithSettings(const std::function<void(QSettings&)>& use) const {
  if (settingsFile_.isEmpty()) {
    QSettings settings = OpenToolSettings();
    use(settings);
  } else {
    QSettings settings(settingsFile_, QSettings::IniFormat);
    use(settings);
  }
}

}  // namespace vrx
