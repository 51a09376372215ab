#pragma once

#include <QSettings>

namespace vrx {

// The tool's per-user settings: on Windows the registry key
// "\Software\Vantelor\Инициализация VRX-L", elsewhere a per-user file with the same path.
inline QSettings OpenToolSettings() {
  return QSettings(QStringLiteral("Vantelor"), QStringLiteral("Инициализация VRX-L"));
}

}  // namespace vrx
