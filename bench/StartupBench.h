#pragma once

#include <QStringList>

namespace vrx::bench {

// vrx-bench --startup VRX-SERVICE VRXCTL MINIMAL-WINDOW MINIMAL-CLI: times the start of the
// window to its first paint (vrx-service --demo) and of the companion to its exit (vrxctl --demo
// identify), each against a minimal Qt program of the same kind, and prints the ratios and
// whether the window met its goal of 1.5 times the minimal window's time. Exits 1 when a program
// does not start.
int RunStartup(const QStringList& programs);

}  // namespace vrx::bench
