#pragma once

#include "model/Messages.h"

namespace vrx {

// The window's messages: each dialog is a TMessageForm shown modally.
class WidgetMessages : public Messages {
 public:
  int CustomDialog(DialogKind kind, const QString& text, const QString& caption,
                   const std::optional<DialogFont>& font, uint32_t colour, bool addCancel,
                   int defaultIndex, const QStringList& buttons) override;

  // The font of every dialog whose caller names none: Arial, 10 points, window text colour.
  const DialogFont& Font() const { return dialogFont_; }

 private:
  const DialogFont dialogFont_;
};

}  // namespace vrx
