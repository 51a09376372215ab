#pragma once

#include <QApplication>

#include "link/CursorControl.h"
#include "model/Messages.h"

namespace vrx {

// The application object. Its event delivery is the last line of the error hook: an error that
// escapes any event handler ends up in the error box here, so no exception crosses the event
// loop. User actions normally catch their errors earlier (RunContext::RunAction).
class VrxApplication : public QApplication {
 public:
  VrxApplication(int& argc, char** argv);

  // Until the hook is set, escaped errors are only logged.
  void SetErrorHook(CursorControl& cursor, Messages& messages);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  CursorControl* cursor_ = nullptr;
  Messages* messages_ = nullptr;
};

}  // namespace vrx
