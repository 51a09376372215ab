#include "app/HelpFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vrx {

QString HelpTopicOfPage(int pageIndex) {
  // Page indexes of the main window: 1 "Сервис", 2 "Текущие параметры", 3 "Доп. интерфейс".
  const int page = pageIndex >= 1 && pageIndex <= 3 ? pageIndex + 2 : 0;
  return QStringLiteral("%1::/%2.htm").arg(QLatin1String(kHelpFileName)).arg(page);
}

HelpTopic SplitHelpTopic(const QString& topic) {
  const qsizetype separator = topic.indexOf(QStringLiteral("::"));
  if (separator < 0)
    return {QString::fromLatin1(kHelpFileName), topic};
  return {topic.left(separator), topic.mid(separator + 2)};
}

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
