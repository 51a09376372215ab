#include "service/DialogParts.h"

#include <QLabel>
#include <QPushButton>

namespace vrx::dialog_parts {

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

QLabel* Panel(QWidget* parent, const char* name) {
  QLabel* panel = Label(parent, name, QString());
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setAlignment(Qt::AlignCenter);
  panel->setMinimumWidth(140);
  return panel;
}

void SetUpDialog(QDialog* dialog, const char* name, const QString& caption) {
  dialog->setObjectName(QString::fromLatin1(name));
  dialog->setWindowTitle(caption);
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(9);
  dialog->setFont(font);
}

SettingsWrite WriteOf(RunContext& context, const EraseArchiveFlag& erase) {
  return {context.timeStamp, context.TimeConfirmation(), context.messages, erase && erase()};
}

void Mirrored(const std::function<void()>& handler, const std::function<void()>& mirror) {
  try {
    handler();
  } catch (...) {
    mirror();
    throw;
  }
  mirror();
}

}  // namespace vrx::dialog_parts
