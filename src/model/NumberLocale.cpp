#include "model/NumberLocale.h"

namespace vrx {

QLocale NumberLocale(const QLocale& system) {
  if (system.language() == QLocale::C)
    return QLocale(QLocale::Russian, QLocale::Russia);
  return system;
}

}  // namespace vrx
