#include "iface/InterfaceForm.h"

namespace vrx {

const QStringList& InterfaceForm::SpeedItems() {
  static const QStringList items = {QStringLiteral("4800"), QStringLiteral("9600"),
                                    QStringLiteral("19200"), QStringLiteral("38400")};
  return items;
}

}  // namespace vrx
