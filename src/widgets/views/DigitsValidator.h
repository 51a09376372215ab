#pragma once

#include <QRegularExpressionValidator>

namespace vrx {

// Lets an edit of a whole number take decimal digits only: a letter, sign or blank typed or
// pasted is left out. An empty entry stays allowed while editing; the write refuses it, naming
// the field.
class DigitsValidator : public QRegularExpressionValidator {
  Q_OBJECT

 public:
  explicit DigitsValidator(QObject* parent);
};

}  // namespace vrx
