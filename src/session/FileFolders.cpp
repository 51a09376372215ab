#include "session/FileFolders.h"

#include <QDir>
#include <QFileInfo>

namespace vrx {

namespace {

QString SettingOf(const QString& key) {
  return QStringLiteral("FileFolders/") + key;
}

}  // namespace

QString StartFolder(const QSettings& settings, const QString& key) {
  const QString folder = settings.value(SettingOf(key)).toString();
  if (!folder.isEmpty() && QFileInfo(folder).isDir())
    return folder;
  return QDir::homePath();
}

void RememberFolder(QSettings& settings, const QString& key, const QString& chosenFile) {
  settings.setValue(SettingOf(key), QFileInfo(chosenFile).absolutePath());
}

}  // namespace vrx
