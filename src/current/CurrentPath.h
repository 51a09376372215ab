#pragma once

#include <QString>

namespace vrx {

// How the tool reaches the instrument or the RQ-7 unit: the cable, the additional interface
// module (Modbus at the module's speed), the OPX adapter (woken first). Chosen by the radio
// buttons `rbCable`, `rbRS`, `rbOPX` of the tab "Текущие параметры", for both readouts.
enum class CurrentPath { Cable, Interface, Opx };

// The caption of the path's radio button.
inline QString PathCaption(CurrentPath path) {
  switch (path) {
    case CurrentPath::Interface:
      return QStringLiteral("Доп. интерф.");
    case CurrentPath::Opx:
      return QStringLiteral("OPX");
    case CurrentPath::Cable:
      break;
  }
  return QStringLiteral("Шлейф");
}

}  // namespace vrx
