#include "session/RunContext.h"

#include <stdexcept>

#include "link/ToolSettings.h"
#include "session/ActionGuard.h"

namespace vrx {

RunContext::RunContext(Pacer& pacer, CursorControl& cursor, Messages& messages, PortNaming naming,
                       std::unique_ptr<SerialBackend> backend, QString settingsFile)
    : messages(messages),
      connection(pacer, cursor, std::move(naming), std::move(backend)),
      settingsFile_(std::move(settingsFile)) {}

bool RunContext::RunAction(const std::function<void()>& action) {
  const bool done = RunGuarded(connection.cursor, messages, action);
  if (afterAction)
    afterAction();
  return done;
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
