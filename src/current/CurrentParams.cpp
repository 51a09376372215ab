#include "current/CurrentParams.h"

namespace vrx {

CurrentParams::CurrentParams(Connection& connection, Messages& messages)
    : connection_(connection), messages_(messages) {}

void CurrentParams::bnReadCurParamsClick() {
  readEnabled_ = false;
  struct GiveButtonBack {
    CurrentParams& tab;
    ~GiveButtonBack() {
      if (tab.path == CurrentPath::Opx)
        tab.Timer2Timer();
      else
        tab.timer2Active_ = true;
    }
  } guard{*this};
  bnResetCurParamsClick();
  ReadCurrentParams(connection_, path, messages_, display_);
}

void CurrentParams::bnResetCurParamsClick() {
  display_.valuePanelVisible = false;
  for (const char* name : {"stVRXType", "stAddr", "stScheme", "stNumber", "stStatus"})
    display_.SetText(QString::fromLatin1(name), QString());
}

void CurrentParams::Timer2Timer() {
  timer2Active_ = false;
  readEnabled_ = true;
}

}  // namespace vrx
