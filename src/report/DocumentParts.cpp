#include "report/DocumentParts.h"

namespace vrx {

QString FirmwareText(uint8_t versionByte, uint8_t subVersion) {
  return QStringLiteral("0x%1, подверсия %2")
      .arg(QString::number(versionByte, 16).rightJustified(2, u'0').toUpper())
      .arg(subVersion);
}

QString MadeAtText(const QDateTime& madeAt) {
  return madeAt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

DocumentSignatures Signatures(const QString& performer) {
  return {{performer, QStringLiteral("Представитель теплоснабжающей организации"),
           QStringLiteral("Представитель потребителя")}};
}

}  // namespace vrx
