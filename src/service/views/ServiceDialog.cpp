#include "service/views/ServiceDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <utility>

#include "session/ActionConnect.h"

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

namespace vrx {

ServiceDialog::ServiceDialog(RunContext& context, EraseArchiveFlag erase, const char* name,
                             const QString& caption, QWidget* parent)
    : QDialog(parent), context_(context), erase_(std::move(erase)) {
  dialog_parts::SetUpDialog(this, name, caption);
}

QHBoxLayout* ServiceDialog::ButtonRow(const Handlers& handlers) {
  using dialog_parts::Button;
  auto* row = new QHBoxLayout();
  const auto add = [&](const char* name, const char* caption,
                       const std::function<void()>& handler) {
    QPushButton* button = Button(this, name, QString::fromUtf8(caption));
    row->addWidget(button);
    ConnectAction(button, &QPushButton::clicked, context_,
                  [this, handler] { dialog_parts::Mirrored(handler, [this] { Mirror(); }); });
    return button;
  };
  add("bnRead", "Считать", handlers.read);
  add("bnWrite", "Записать", handlers.write)->setDefault(true);
  if (handlers.reset)
    add("bnReset", "Сброс", handlers.reset);
  add("bnRefresh", "Обновить", [this] { FormShow(); });
  QPushButton* close = Button(this, "bnClose", QStringLiteral("Закрыть"));
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  row->addWidget(close);
  return row;
}

void ServiceDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  context_.RunAction([this] {
    FormShow();
    Mirror();
  });
}

}  // namespace vrx
