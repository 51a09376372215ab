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
  // Sets what the program runs with from the start: the number locale (NumberLocale of the
  // system's) as every QLocale()'s default and Qt's Russian translations.
  VrxApplication(int& argc, char** argv);

  // Whether Qt's Russian translations were found and installed.
  bool QtTranslated() const { return qtTranslated_; }

  // Until the hook is set, escaped errors are only logged.
  void SetErrorHook(CursorControl& cursor, Messages& messages);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  CursorControl* cursor_ = nullptr;
  Messages* messages_ = nullptr;
  bool qtTranslated_ = false;
};

}  // namespace vrx
