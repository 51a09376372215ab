#include "link/PortOpenReason.h"

namespace vrx {

QString PortOpenReason(const PortOpenFailure& failure) {
  switch (failure.kind) {
    case PortOpenFailure::Kind::kNoDevice:
      return QStringLiteral(
          "нет такого устройства. Подключен ли адаптер? Устройство порта выбирается в «Порты…».");
    case PortOpenFailure::Kind::kPermission:
      return QStringLiteral(
                 "нет прав на устройство: пользователь %1 не входит в группу %2, владеющую им. "
                 "Добавьте его командой «sudo usermod -a -G %2 %1» и войдите в систему заново.")
          .arg(failure.user, failure.group);
    case PortOpenFailure::Kind::kBusy:
      return QStringLiteral("устройство занято другой программой. Закройте ее и повторите.");
    case PortOpenFailure::Kind::kOther:
      break;
  }
  return failure.system;
}

}  // namespace vrx
