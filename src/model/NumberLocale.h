#pragma once

#include <QLocale>

namespace vrx {

// The locale numbers are written and read in, made the default at start by the window and the
// companion: the system's, or Russian where the system has none configured (C or POSIX, as in a
// bare container), so that numbers take the decimal comma of the fixed Russian texts beside
// them ("0,001 м3/имп").
QLocale NumberLocale(const QLocale& system);

}  // namespace vrx
