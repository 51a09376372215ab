#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "service/SettingsWrite.h"
#include "session/RunContext.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace vrx {

// The main window's "Стирать архив", asked at the moment of a write.
using EraseArchiveFlag = std::function<bool()>;

// What the service dialogs share on screen: named controls, the write context from the run,
// and mirroring the core after a handler whether it succeeded or not.
namespace dialog_parts {

QPushButton* Button(QWidget* parent, const char* name, const QString& text);
QLabel* Label(QWidget* parent, const char* name, const QString& text);
// A sunken panel that shows a text (the model's name, the scheme's number).
QLabel* Panel(QWidget* parent, const char* name);
// A fixed-border dialog in Arial.
void SetUpDialog(QDialog* dialog, const char* name, const QString& caption);

SettingsWrite WriteOf(RunContext& context, const EraseArchiveFlag& erase);

// Runs a handler of the core and then `mirror`, also when the handler raised.
void Mirrored(const std::function<void()>& handler, const std::function<void()>& mirror);

}  // namespace dialog_parts

// A correction dialog over its core: created once and reused, it prepares itself whenever it is
// shown, runs every handler in the action guard and mirrors the core after each, also after a
// handler that raised.
class ServiceDialog : public QDialog {
 public:
  ServiceDialog(RunContext& context, EraseArchiveFlag erase, const char* name,
                const QString& caption, QWidget* parent);

 protected:
  struct Handlers {
    std::function<void()> read;
    std::function<void()> write;
    std::function<void()> reset;  // none: the dialog has no "Сброс"
  };
  // "Считать", "Записать", "Сброс", "Обновить" and "Закрыть" in a row.
  QHBoxLayout* ButtonRow(const Handlers& handlers);

  void showEvent(QShowEvent* event) override;
  // Showing the dialog and "Обновить": the core prepares, failures swallowed.
  virtual void FormShow() = 0;
  virtual void Mirror() = 0;
  SettingsWrite Write() const { return dialog_parts::WriteOf(context_, erase_); }

  RunContext& context_;

 private:
  EraseArchiveFlag erase_;
};

}  // namespace vrx
