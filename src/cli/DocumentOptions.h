#pragma once

#include "cli/CliRun.h"
#include "current/CurrentParams.h"
#include "init/InitWorkspace.h"

namespace vrx {

// The documents and the check of the companion, one option a file.

// `settings --check FILE`: reads the instrument into the tab, compares it with the template FILE
// and prints every differing setting (field, label, in the instrument, in the template).
// Returns kExitDone when all match, kExitRefused otherwise. A file that is no template is a
// usage error, read before the instrument.
int CheckSettingsOption(CliRun& run, InitWorkspace& workspace);

// `settings --pdf FILE`: the settings protocol of the tab as read, with the comparison of
// --check when it ran, written to FILE.
void SettingsPdfOption(CliRun& run, const InitWorkspace& workspace);

// `current --pdf FILE`: the report of the readout the tab shows, written to FILE.
void CurrentPdfOption(CliRun& run, const CurrentParams& tab);

}  // namespace vrx
