#include "session/ActionGuard.h"

#include "model/Errors.h"

namespace vrx {

QString EscapedErrorText(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const EOwned& e) {
    return e.message();
  } catch (const std::exception& e) {
    return QString::fromUtf8(e.what());
  } catch (...) {
    return QStringLiteral("Неизвестная ошибка");
  }
}

bool RunGuarded(CursorControl& cursor, Messages& messages, const std::function<void()>& action,
                ActionOutcome* outcome) {
  ActionOutcome ended;
  const CursorShape saved = cursor.Current();
  try {
    action();
  } catch (const EAbort&) {
    cursor.Set(saved);
    ended.end = ActionOutcome::End::Cancelled;
  } catch (...) {
    // The cursor comes back first, so the error box is not shown under a wait cursor.
    cursor.Set(saved);
    ended.end = ActionOutcome::End::Failed;
    const QString error = EscapedErrorText(std::current_exception());
    ended.error = error;
    messages.ShowError(error);
  }
  if (outcome != nullptr)
    *outcome = ended;
  return ended.end == ActionOutcome::End::Done;
}

}  // namespace vrx
