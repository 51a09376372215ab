#include "app/VrxApplication.h"

#include <QLocale>
#include <QtDebug>

#include "app/QtTranslations.h"
#include "model/Errors.h"
#include "model/NumberLocale.h"
#include "session/ActionGuard.h"

namespace vrx {

VrxApplication::VrxApplication(int& argc, char** argv)
    : QApplication(argc, argv), qtTranslated_(InstallQtTranslations(*this)) {
  QLocale::setDefault(NumberLocale(QLocale::system()));
}

void VrxApplication::SetErrorHook(CursorControl& cursor, Messages& messages) {
  cursor_ = &cursor;
  messages_ = &messages;
}

bool VrxApplication::notify(QObject* receiver, QEvent* event) {
  const CursorShape saved = cursor_ != nullptr ? cursor_->Current() : CursorShape::Normal;
  try {
    return QApplication::notify(receiver, event);
  } catch (const EAbort&) {
    // A refused confirmation ends its action without a message, wherever it escaped.
    if (cursor_ != nullptr)
      cursor_->Set(saved);
    return false;
  } catch (...) {
    const QString text = EscapedErrorText(std::current_exception());
    if (cursor_ == nullptr || messages_ == nullptr) {
      qCritical().noquote() << text;
      return false;
    }
    cursor_->Set(saved);
    messages_->ShowError(text);
    return false;
  }
}

}  // namespace vrx
