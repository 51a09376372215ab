#include "current/CurrentParams.h"

namespace vrx {

CurrentParams::CurrentParams(Connection& connection, Messages& messages)
    : connection_(connection), messages_(messages) {}

void CurrentParams::bnReadCurParamsClick() {
  ReadLockout::Hold hold(lockout_, path == CurrentPath::Opx);
  bnResetCurParamsClick();
  ReadCurrentParams(connection_, path, messages_, display_);
  readout_ = Readout{QDateTime::currentDateTime(), path};
}

void CurrentParams::bnResetCurParamsClick() {
  display_.valuePanelVisible = false;
  readout_.reset();
  for (const char* name : {"stVRXType", "stAddr", "stScheme", "stNumber", "stStatus"})
    display_.SetText(QString::fromLatin1(name), QString());
}

}  // namespace vrx
