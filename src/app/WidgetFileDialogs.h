#pragma once

#include "session/FileDialogs.h"

class QWidget;

namespace vrx {

class RunContext;

// The window's file dialogs, shown modally over `parent`. Each kind of file starts in the folder
// last used for it (kept in the context's settings), else in the user's home. Qt's own dialog,
// not the desktop's: its texts come from Qt's Russian translations, so they are Russian on any
// desktop.
class WidgetFileDialogs : public FileDialogs {
 public:
  WidgetFileDialogs(QWidget* parent, const RunContext& context)
      : parent_(parent), context_(context) {}

  QString OpenFileName(const QString& caption, const FileKind& kind) override;
  QString SaveFileName(const QString& caption, const FileKind& kind) override;

 private:
  QString Run(const QString& caption, const FileKind& kind, bool save);

  QWidget* parent_;
  const RunContext& context_;
};

}  // namespace vrx
