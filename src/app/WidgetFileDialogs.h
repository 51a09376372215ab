#pragma once

#include "session/FileDialogs.h"

class QWidget;

namespace vrx {

// The window's file dialogs, shown modally over `parent`.
class WidgetFileDialogs : public FileDialogs {
 public:
  explicit WidgetFileDialogs(QWidget* parent) : parent_(parent) {}

  QString OpenFileName(const QString& caption, const QString& filter) override;
  QString SaveFileName(const QString& caption, const QString& filter,
                       const QString& suffix) override;

 private:
  QWidget* parent_;
};

}  // namespace vrx
