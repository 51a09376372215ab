#pragma once

#include <QStringList>
#include <QTextStream>

#include "service/PcClock.h"

namespace vrx {

// The command-line companion: `vrxctl [--port PATH | --com N] [--baud 4800|9600] [--demo TYPE]
// [--trace] COMMAND`, where `settings --json` prints the first tab as "Считать" fills it, in
// the form-file format of the workspace, and `init --form FILE [--erase] [--time-ok]
// [--exit-init]` initializes the instrument from such a file as "Провести инициализацию" does.
// Returns the process exit code: 0 done, 1 the instrument, the port or a value failed (the
// Russian message alone on `err`), 2 the command line was wrong or the PC time was not confirmed.
//
// `in` answers the question whether the PC time is right; `clock` is the PC's clock.
int RunVrxCtl(const QStringList& arguments, QTextStream& in, QTextStream& out, QTextStream& err,
              const PcClock& clock = CurrentPcTime);

// The same without an input: a question about the PC time is answered "no".
int RunVrxCtl(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace vrx
