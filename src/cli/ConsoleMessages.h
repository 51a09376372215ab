#pragma once

#include <QTextStream>

#include "model/Messages.h"

namespace vrx {

// The messages of the companion: texts go to the terminal instead of dialogs. Errors go to
// `err`, everything else to `out`; a warning is headed by its caption. A question is printed
// with the answer given on the command line, since nobody is there to answer it.
class ConsoleMessages : public Messages {
 public:
  // `confirm`: how questions ("Да"/"Нет") are answered.
  ConsoleMessages(QTextStream& out, QTextStream& err, bool confirm);

  int CustomDialog(DialogKind kind, const QString& text, const QString& caption,
                   const std::optional<DialogFont>& font, uint32_t colour, bool addCancel,
                   int defaultIndex, const QStringList& buttons) override;

 private:
  QTextStream& out_;
  QTextStream& err_;
  bool confirm_;
};

}  // namespace vrx
