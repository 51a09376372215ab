#include "model/FormFile.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonValue>

namespace vrx {

namespace {

QString ErrorText(FormFileError::Problem problem, const QString& path, const QString& detail) {
  if (problem == FormFileError::Problem::Unreadable)
    return QStringLiteral("cannot read ") + path + QStringLiteral(": ") + detail;
  return path + QStringLiteral(" is not a form file: ") + detail;
}

}  // namespace

FormFileError::FormFileError(Problem problem, const QString& path, const QString& detail)
    : std::runtime_error(ErrorText(problem, path, detail).toStdString()),
      problem_(problem),
      path_(path),
      detail_(detail) {}

FormValueError::FormValueError(const QString& key, const QString& kind)
    : std::runtime_error((key + QStringLiteral(" expects a ") + kind).toStdString()), key_(key) {}

std::optional<int> FormNumber(const QJsonObject& form, const QString& key) {
  const QJsonValue value = form.value(key);
  if (value.isUndefined() || value.isNull())
    return std::nullopt;
  if (!value.isDouble())
    throw FormValueError(key, QStringLiteral("number"));
  return value.toInt();
}

std::optional<QString> FormText(const QJsonObject& form, const QString& key) {
  const QJsonValue value = form.value(key);
  if (value.isUndefined() || value.isNull())
    return std::nullopt;
  if (!value.isString())
    throw FormValueError(key, QStringLiteral("text"));
  return value.toString();
}

QJsonObject LoadFormFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw FormFileError(FormFileError::Problem::Unreadable, path, file.errorString());
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) {
    throw FormFileError(FormFileError::Problem::NotAForm, path,
                        error.error != QJsonParseError::NoError ? error.errorString()
                                                                : QStringLiteral("no JSON object"));
  }
  return document.object();
}

QByteArray FormFileText(const QJsonObject& form) {
  return QJsonDocument(form).toJson(QJsonDocument::Indented);
}

}  // namespace vrx
