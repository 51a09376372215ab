#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "service/SettingsWrite.h"
#include "session/RunContext.h"

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
}  // namespace vrx
