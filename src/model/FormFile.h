#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <stdexcept>

#include "model/Errors.h"

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

// A form whose keys the tab or dialog cannot use, refused before anything is applied or sent:
// keys it does not have (a typo, a control of another model, a table row the model lacks), values
// of the wrong kind or outside the control's choices, texts with control characters. The message
// names the file and every such key.
class FormRefused : public EOwned {
 public:
  enum class Reason { Unusable, ControlCharacters };

  FormRefused(Reason reason, const QString& path, const QStringList& keys);
};

// Throws FormRefused (Unusable) naming the refused keys, when there are any.
void RequireUsableForm(const QString& path, const QStringList& refused);

// Reads a form file. Throws FormFileError when it cannot be read (no regular file, larger than an
// input file can be) or holds no JSON object, and FormRefused when a key or a text in it holds a
// control character (a NUL would cut the text where it is used).
QJsonObject LoadFormFile(const QString& path);

// The bytes of a form file: indented JSON, keys in order, as `vrxctl settings --json` prints it.
QByteArray FormFileText(const QJsonObject& form);

}  // namespace vrx
