#include "app/AboutText.h"

#include <QStringList>
#include <map>

#include "model/Catalogue.h"

namespace vrx {

namespace {

// "VRX-L13: 1.0, 1.1, 1.2, 2.0, 2.1, 2.2", one line per model in catalogue order.
QStringList ModelLines() {
  QStringList models;
  std::map<QString, QStringList> versions;
  for (const TDeviceRecord& type : DeviceTypes()) {
    const QString name = QString::fromUtf8(type.Name);
    const qsizetype dash = name.lastIndexOf(QLatin1Char('-'));
    const QString model = name.left(dash);
    if (!models.contains(model))
      models << model;
    versions[model] << name.mid(dash + 1);
  }
  QStringList lines;
  for (const QString& model : models)
    lines << QStringLiteral("%1: %2").arg(model, versions[model].join(QStringLiteral(", ")));
  return lines;
}

}  // namespace

QString ProgramCaption() {
  return QStringLiteral("VRX-Сервис 1.3");
}

QString AboutText(const QString& journalFile, const QString& settingsFile) {
  QStringList lines;
  lines << ProgramCaption() << QString()
        << QStringLiteral(
               "Сервисная программа тепловычислителей VRX-L, блока RQ-7 и модуля "
               "доп. интерфейса.")
        << QString() << QStringLiteral("Тепловычислители (модель: версии):") << ModelLines()
        << QStringLiteral("Блок RQ-7; модуль доп. интерфейса (Modbus RTU).") << QString()
        << QStringLiteral("Журнал записей: %1").arg(journalFile)
        << QStringLiteral("Настройки: %1").arg(settingsFile);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace vrx
