#pragma once

#include <QStringList>
#include <QTextStream>

#include "stamp/PcClock.h"

namespace vrx {

// The command-line companion: `vrxctl [--port PATH | --com N] [--baud 4800|9600] [--demo TYPE]
// [--trace] COMMAND [options]`; the commands are listed in CliCommands(), one file each.
// `--help` alone or after a command prints the usage to `out`. Returns the process exit code:
// 0 done, 1 the instrument, the port or a value failed (the Russian message alone on `err`),
// 2 the command line was wrong, a file could not be read or a confirmation was refused.
//
// `in` answers the question whether the PC time is right; `clock` is the PC's clock.
int RunVrxCtl(const QStringList& arguments, QTextStream& in, QTextStream& out, QTextStream& err,
              const PcClock& clock = CurrentPcTime);

// The same without an input: a question about the PC time is answered "no".
int RunVrxCtl(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace vrx
