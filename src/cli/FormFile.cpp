#include "cli/FormFile.h"

#include <QFile>
#include <QJsonDocument>

#include "cli/CliRun.h"

namespace vrx {

QJsonObject LoadFormFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw UsageError(QStringLiteral("cannot read ") + path + QStringLiteral(": ") +
                     file.errorString());
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) {
    throw UsageError(path + QStringLiteral(" is not a form file: ") +
                     (error.error != QJsonParseError::NoError ? error.errorString()
                                                              : QStringLiteral("no JSON object")));
  }
  return document.object();
}

}  // namespace vrx
