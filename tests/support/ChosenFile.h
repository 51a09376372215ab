#pragma once

#include <QString>
#include <QStringList>

#include "session/FileDialogs.h"

namespace vrx::test {

// File dialogs that answer with the path the test chose, and keep what each was asked for:
// "save CAPTION KEY FILTER SUFFIX" or "open CAPTION KEY FILTER".
struct ChosenFile : FileDialogs {
  QString path;
  QStringList asked;

  QString OpenFileName(const QString& caption, const FileKind& kind) override {
    asked << QStringList{"open", caption, kind.key, kind.filter}.join(' ');
    return path;
  }
  QString SaveFileName(const QString& caption, const FileKind& kind) override {
    asked << QStringList{"save", caption, kind.key, kind.filter, kind.suffix}.join(' ');
    return path;
  }
};

}  // namespace vrx::test
