#pragma once

#include <QString>

namespace vrx {

// Where the window asks for a file to open or to save to: the widgets' file dialogs, or a test's
// answers. Each call returns the chosen path, or an empty string when the user cancelled.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;

  // `filter` as the file dialogs take it, e.g. "Шаблоны (*.json)".
  virtual QString OpenFileName(const QString& caption, const QString& filter) = 0;
  // A name typed without a suffix gets `suffix`.
  virtual QString SaveFileName(const QString& caption, const QString& filter,
                               const QString& suffix) = 0;
};

}  // namespace vrx
