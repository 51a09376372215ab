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

ActionOutcome RunCaught(CursorControl& cursor, const std::function<void()>& action) {
  ActionOutcome ended;
  const CursorShape saved = cursor.Current();
  try {
    action();
  } catch (const EAbort&) {
    cursor.Set(saved);
    ended.end = ActionOutcome::End::Cancelled;
  } catch (...) {
    cursor.Set(saved);
    ended.end = ActionOutcome::End::Failed;
    ended.error = EscapedErrorText(std::current_exception());
  }
  return ended;
}

bool RunGuarded(CursorControl& cursor, Messages& messages, const std::function<void()>& action,
                ActionOutcome* outcome) {
  // The cursor is back by now, so the error box is not shown under a wait cursor.
  const ActionOutcome ended = RunCaught(cursor, action);
  if (ended.end == ActionOutcome::End::Failed)
    messages.ShowError(ended.error);
  if (outcome != nullptr)
    *outcome = ended;
  return ended.end == ActionOutcome::End::Done;
}

}  // namespace vrx
