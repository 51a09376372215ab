#include "model/Messages.h"

namespace vrx {

void Messages::ShowError(const QString& text) {
  CustomDialog(DialogKind::Error, text, QStringLiteral("Ошибка"), std::nullopt, kColorButtonFace,
               false, 0, {QStringLiteral("OK")});
}

void Messages::ShowInfo(const QString& text) {
  CustomDialog(DialogKind::Information, text, QStringLiteral("Информация"), std::nullopt,
               kColorButtonFace, false, 0, {QStringLiteral("OK")});
}

bool Messages::Confirm(const QString& text) {
  return CustomDialog(DialogKind::Confirmation, text, QStringLiteral("Подтвердите"), std::nullopt,
                      kColorButtonFace, false, 0,
                      {QStringLiteral("Да"), QStringLiteral("Нет")}) == 1;
}

int RecordingMessages::CustomDialog(DialogKind kind, const QString& text, const QString& caption,
                                    const std::optional<DialogFont>& font, uint32_t colour,
                                    bool addCancel, int defaultIndex, const QStringList& buttons) {
  shown_.push_back({kind, text, caption, font, colour, addCancel, defaultIndex, buttons});
  return nextAnswer_ < script_.size() ? script_[nextAnswer_++] : 1;
}

QStringList RecordingMessages::Texts() const {
  QStringList texts;
  for (const Shown& s : shown_)
    texts << s.text;
  return texts;
}

}  // namespace vrx
