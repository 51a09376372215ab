#include "report/ProgramData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vrx {

QStringList ProgramDataFolders() {
  const QString program = QCoreApplication::applicationDirPath();
  return {program, QDir::cleanPath(program + QStringLiteral("/../" VRX_DATA_INSTALL_DIR))};
}

QString FindDataFile(const QStringList& folders, const QString& relative) {
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(relative);
    if (QFileInfo::exists(path))
      return path;
  }
  return QString();
}

QString SchemePictureFile(uint32_t pictureNumber) {
  return QStringLiteral("images/%1.jpg").arg(pictureNumber);
}

}  // namespace vrx
