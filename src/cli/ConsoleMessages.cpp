#include "cli/ConsoleMessages.h"

namespace vrx {

namespace {

// Dialog texts break their lines the Windows way.
QString Lines(QString text) {
  return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

}  // namespace

ConsoleMessages::ConsoleMessages(QTextStream& out, QTextStream& err, bool confirm)
    : out_(out), err_(err), confirm_(confirm) {}

int ConsoleMessages::CustomDialog(DialogKind kind, const QString& text, const QString& caption,
                                  const std::optional<DialogFont>& /*font*/, uint32_t /*colour*/,
                                  bool /*addCancel*/, int /*defaultIndex*/,
                                  const QStringList& buttons) {
  switch (kind) {
    case DialogKind::Error:
      err_ << Lines(text) << '\n';
      break;
    case DialogKind::Confirmation: {
      const QString answer = confirm_ ? QStringLiteral("Да") : QStringLiteral("Нет");
      out_ << Lines(text) << '\n' << answer << '\n';
      out_.flush();
      const auto index = buttons.indexOf(answer);
      // Without the button the question counts as cancelled.
      return index >= 0 ? static_cast<int>(index) + 1 : 0;
    }
    case DialogKind::Information:
      out_ << Lines(text) << '\n';
      break;
    case DialogKind::Warning:
    case DialogKind::Custom:
      out_ << caption << '\n' << Lines(text) << '\n';
      break;
  }
  out_.flush();
  err_.flush();
  return 1;
}

}  // namespace vrx
