#include "widgets/views/DigitsValidator.h"

namespace vrx {

DigitsValidator::DigitsValidator(QObject* parent)
    : QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), parent) {}

}  // namespace vrx
