#pragma once

#include <QString>

namespace vrx {

// A kind of file the window opens or saves. The dialogs of one kind start in the folder last
// used for it (FileFolders), else in the user's home.
struct FileKind {
  QString key;     // names the kind in the settings, e.g. "Templates"
  QString filter;  // as the file dialogs take it, e.g. "Шаблоны (*.json)"
  QString suffix;  // what a name typed without a suffix gets on saving, e.g. "json"
  // Saving continues an existing file rather than replacing it: no question about replacing.
  bool continued = false;
};

// Where the window asks for a file to open or to save to: the widgets' file dialogs, or a test's
// answers. Each call returns the chosen path, or an empty string when the user cancelled.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;

  virtual QString OpenFileName(const QString& caption, const FileKind& kind) = 0;
  virtual QString SaveFileName(const QString& caption, const FileKind& kind) = 0;
};

}  // namespace vrx
