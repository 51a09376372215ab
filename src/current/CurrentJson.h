#pragma once

#include <QJsonObject>

#include "current/CurrentDisplay.h"

namespace vrx {

// The tab as the companion prints it: every control keyed by its form name, its text as shown
// (line ends kept) or null when it is not on screen; `plColdWater` as whether that panel shows.
QJsonObject ToJson(const CurrentDisplay& display);

}  // namespace vrx
