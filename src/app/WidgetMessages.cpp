#include "app/WidgetMessages.h"

#include "app/MessageForm.h"

namespace vrx {

int WidgetMessages::CustomDialog(DialogKind kind, const QString& text, const QString& caption,
                                 const std::optional<DialogFont>& font, uint32_t colour,
                                 bool addCancel, int defaultIndex, const QStringList& buttons) {
  TMessageForm form(kind, text, caption, font.value_or(dialogFont_), colour, addCancel,
                    defaultIndex, buttons);
  return form.exec();
}

}  // namespace vrx
