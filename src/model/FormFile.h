#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <stdexcept>

namespace vrx {

// A form file: a JSON object keyed by the form names of a tab's or dialog's controls. The window
// saves and loads templates in it, and vrxctl prints and takes it, so both share this codec.

// A file that is no form file. what() is the companion's English text naming the file; the
// window builds its own message from problem(), path() and detail().
class FormFileError : public std::runtime_error {
 public:
  enum class Problem { Unreadable, NotAForm };

  FormFileError(Problem problem, const QString& path, const QString& detail);
  Problem problem() const { return problem_; }
  const QString& path() const { return path_; }
  // The reason as the file system or the JSON parser gives it.
  const QString& detail() const { return detail_; }

 private:
  Problem problem_;
  QString path_;
  QString detail_;
};

// A value of a form that is not of the kind its key takes. what() is the companion's English
// text ("TrackBar1 expects a number").
class FormValueError : public std::runtime_error {
 public:
  FormValueError(const QString& key, const QString& kind);
  const QString& key() const { return key_; }

 private:
  QString key_;
};

// A number, or a text, of the form; nothing when the key is absent or null. FormValueError for a
// value of another kind.
std::optional<int> FormNumber(const QJsonObject& form, const QString& key);
std::optional<QString> FormText(const QJsonObject& form, const QString& key);

// Reads a form file. Throws FormFileError when it cannot be read or holds no JSON object.
QJsonObject LoadFormFile(const QString& path);

// The bytes of a form file: indented JSON, keys in order, as `vrxctl settings --json` prints it.
QByteArray FormFileText(const QJsonObject& form);

}  // namespace vrx
