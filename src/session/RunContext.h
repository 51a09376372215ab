#pragma once

#include <QSettings>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "link/Connection.h"
#include "model/Messages.h"
#include "session/ActionObserver.h"
#include "session/FileDialogs.h"
#include "stamp/PcTimeConfirmation.h"
#include "stamp/PcTimeStamp.h"

namespace vrx {

// Everything the tool has exactly one of during a run: the connection to the instrument, the
// persisted settings, the guard every user action runs in, and the time stamp with its
// confirmation flags. The pacer, the cursor, the messages and the clock confirmation are the
// caller's; the context only refers to them. Views of every subsystem receive the context by
// reference, so a test can build as many independent ones as it needs.
class RunContext {
 public:
  // `settingsFile` empty means the tool's own per-user settings; tests pass an INI file.
  RunContext(Pacer& pacer, CursorControl& cursor, Messages& messages,
             PortNaming naming = PortNaming(), std::unique_ptr<SerialBackend> backend = {},
             QString settingsFile = {});
  RunContext(const RunContext&) = delete;
  RunContext& operator=(const RunContext&) = delete;

  // Runs one user action: an error that escapes it is shown in the error box and the cursor is
  // put back as it was. Returns false when the action ended with an error.
  bool RunAction(const std::function<void()>& action);
  // Runs an action the window starts by itself (a readout of a poll). The observers are told as
  // of a user action, but an error goes to `outcome` only, with no error box. Meanwhile the
  // window draws, but the user's input and the timers wait (Pacer::holdInput): an action the
  // user starts waits for the end of this one.
  void RunBackground(const std::function<void()>& action, ActionOutcome& outcome);
  // Whether an action of either kind runs now (a dialog it opened may be on screen).
  bool Busy() const { return depth_ > 0; }
  // Whether the action running now is one the window started by itself.
  bool InBackground() const { return connection.pacer.holdInput; }

  // From now on `observer` is told when every action begins, what its exchanges do and how it
  // ended, until it is removed. Observers are told of a beginning in the order they were added
  // and of an ending in the reverse order.
  void AddObserver(ActionObserver& observer);
  void RemoveObserver(ActionObserver& observer);

  // Opens the persisted settings for the duration of the call.
  void WithSettings(const std::function<void(QSettings&)>& use) const;

  // Who is asked whether the PC clock is right before the first time stamp of a run. Throws
  // std::logic_error while nobody is installed.
  PcTimeConfirmation& TimeConfirmation() const;
  // Who chooses the files the window opens and saves. Throws std::logic_error while nobody is
  // installed.
  FileDialogs& Files() const;

  Messages& messages;
  Connection connection;
  // Stamps every settings write with the PC time; its flags keep the answers for the whole run.
  PcTimeStamp timeStamp;
  // The main window installs its clock verification dialog here unless something else is
  // installed already (tests answer from a script).
  PcTimeConfirmation* timeConfirmation = nullptr;
  // The main window installs its file dialogs here unless a test has installed its answers.
  FileDialogs* fileDialogs = nullptr;
  // Called after every action, however it ended; the window refreshes its port status line, as
  // an action may have lost the port's device or opened it again.
  std::function<void()> afterAction;

 private:
  // Tells the observers, runs `run` and counts the action as running meanwhile.
  void Observed(const std::function<void(ActionOutcome&)>& run, ActionOutcome& outcome);

  QString settingsFile_;
  std::vector<ActionObserver*> observers_;
  int depth_ = 0;
};

}  // namespace vrx
