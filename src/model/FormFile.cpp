#include "model/FormFile.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "model/InputFile.h"

namespace vrx {

namespace {

QString ErrorText(FormFileError::Problem problem, const QString& path, const QString& detail) {
  if (problem == FormFileError::Problem::Unreadable)
    return QStringLiteral("cannot read ") + path + QStringLiteral(": ") + detail;
  return path + QStringLiteral(" is not a form file: ") + detail;
}

QString RefusalText(FormRefused::Reason reason, const QString& path, const QStringList& keys) {
  const QString text =
      reason == FormRefused::Reason::Unusable
          ? QStringLiteral("Недопустимые ключи или значения в файле формы \"%1\": %2")
          : QStringLiteral("Управляющие символы в файле формы \"%1\": %2");
  return text.arg(path, keys.join(QStringLiteral(", ")));
}

bool HasControlCharacter(const QString& text) {
  for (const QChar c : text) {
    if (c.category() == QChar::Other_Control)
      return true;
  }
  return false;
}

// A key as the refusal names it: control characters in it written as \uXXXX.
QString Printable(const QString& key) {
  QString shown;
  for (const QChar c : key) {
    shown += c.category() == QChar::Other_Control
                 ? QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                 : QString(c);
  }
  return shown;
}

// Collects the keys, as "table[row].cell" below the top level, whose name or text holds a
// control character.
void FindControlCharacters(const QJsonValue& value, const QString& where, QStringList& found);

void FindInObject(const QJsonObject& object, const QString& prefix, QStringList& found) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    const QString where = prefix + Printable(it.key());
    if (HasControlCharacter(it.key()))
      found << where;
    else
      FindControlCharacters(it.value(), where, found);
  }
}

void FindControlCharacters(const QJsonValue& value, const QString& where, QStringList& found) {
  if (value.isString() && HasControlCharacter(value.toString())) {
    found << where;
  } else if (value.isObject()) {
    FindInObject(value.toObject(), where + QLatin1Char('.'), found);
  } else if (value.isArray()) {
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size(); ++i)
      FindControlCharacters(array.at(i), QStringLiteral("%1[%2]").arg(where).arg(i), found);
  }
}

}  // namespace

FormFileError::FormFileError(Problem problem, const QString& path, const QString& detail)
    : std::runtime_error(ErrorText(problem, path, detail).toStdString()),
      problem_(problem),
      path_(path),
      detail_(detail) {}

FormRefused::FormRefused(Reason reason, const QString& path, const QStringList& keys)
    : EOwned(RefusalText(reason, path, keys)) {}

void RequireUsableForm(const QString& path, const QStringList& refused) {
  if (!refused.isEmpty())
    throw FormRefused(FormRefused::Reason::Unusable, path, refused);
}

QJsonObject LoadFormFile(const QString& path) {
  QString reason;
  const std::optional<QByteArray> text = ReadInputFile(path, &reason);
  if (!text)
    throw FormFileError(FormFileError::Problem::Unreadable, path, reason);
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(*text, &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) {
    throw FormFileError(FormFileError::Problem::NotAForm, path,
                        error.error != QJsonParseError::NoError ? error.errorString()
                                                                : QStringLiteral("no JSON object"));
  }
  QStringList control;
  FindInObject(document.object(), QString(), control);
  if (!control.isEmpty())
    throw FormRefused(FormRefused::Reason::ControlCharacters, path, control);
  return document.object();
}

QByteArray FormFileText(const QJsonObject& form) {
  return QJsonDocument(form).toJson(QJsonDocument::Indented);
}

}  // namespace vrx
