#include "widgets/DecimalEditInput.h"

namespace vrx {

QString DecimalEditInput(const QString& typed) {
  QString kept;
  for (const QChar c : typed) {
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(',') ||
        c == QLatin1Char('.') || c == QChar(0x08)) {
      kept += c;
    }
  }
  return kept;
}

}  // namespace vrx
