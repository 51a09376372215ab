#include "calibration/CalibrationProtocol.h"

#include <QDateTime>
#include <QFile>
#include <QTextStream>

#include "model/Errors.h"

namespace vrx {

QString ProtocolDate() {
  return QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

void WriteProtocol(const QString& path, const ProtocolHeader& header, const AdcSamples& samples) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
    throw EOwned(QStringLiteral("Не удалось записать протокол в файл ") + path + ": " +
                 file.errorString());
  }
  QTextStream out(&file);
  for (const auto& [name, value] : header) {
    out << name << ';' << value << '\n';
  }
  out << '\n' << samples.Titles().join(';') << '\n';
  for (int row = 0; row < samples.rowCount(); ++row) {
    out << samples.RowTexts(row).join(';') << '\n';
  }
  out.flush();
  if (out.status() != QTextStream::Ok || !file.flush()) {
    throw EOwned(QStringLiteral("Не удалось записать протокол в файл ") + path);
  }
}

}  // namespace vrx
