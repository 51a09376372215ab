#include "app/AppContext.h"

#include <stdexcept>

#include "app/ActionGuard.h"
#include "link/ToolSettings.h"

namespace vrx {

AppContext::AppContext(Pacer& pacer, CursorControl& cursor, Messages& messages, PortNaming naming,
                       std::unique_ptr<SerialBackend> backend, QString settingsFile)
    : pacer(pacer),
      cursor(cursor),
      messages(messages),
      port(std::move(naming), std::move(backend)),
      link(port, state, buffer, pacer, cursor),
      settingsFile_(std::move(settingsFile)) {}

bool AppContext::RunAction(const std::function<void()>& action) {
  return RunGuarded(cursor, messages, action);
}

PcTimeConfirmation& AppContext::TimeConfirmation() const {
  if (timeConfirmation == nullptr)
    throw std::logic_error("no PC clock confirmation is installed");
  return *timeConfirmation;
}

void AppContext::WithSettings(const std::function<void(QSettings&)>& use) const {
  if (settingsFile_.isEmpty()) {
    QSettings settings = OpenToolSettings();
    use(settings);
  } else {
    QSettings settings(settingsFile_, QSettings::IniFormat);
    use(settings);
  }
}

}  // namespace vrx
