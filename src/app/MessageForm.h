#pragma once

#include <QDialog>
#include <QFont>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "app/DialogLayout.h"
#include "model/Messages.h"

namespace vrx {

// The message dialog: an icon of the dialog kind, the word-wrapped message and a row of
// buttons, sized from the metrics of its font. exec() returns the number of the pressed button
// counted from 1, or 0 for the cancel button and Esc when the dialog has one.
class TMessageForm : public QDialog {
  Q_OBJECT

 public:
  TMessageForm(DialogKind kind, const QString& text, const QString& caption, const DialogFont& font,
               uint32_t colour, bool addCancel, int defaultIndex, const QStringList& buttons);

  // The message as the form shows it.
  const QString& Text() const { return text_; }

  // The geometry the form was built with.
  const DialogLayout& Layout() const { return layout_; }

  // Without a cancel button Esc and closing the window do nothing: a button must be pressed.
  void reject() override;

 private:
  void Build(DialogKind kind, const QString& text, const QStringList& buttons, int defaultIndex);

  QString text_;
  bool hasCancel_ = false;
  DialogLayout layout_;
};

QFont ToQFont(const DialogFont& font);

}  // namespace vrx
