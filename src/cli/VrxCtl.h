#pragma once

#include <QStringList>
#include <QTextStream>

namespace vrx {

// The command-line companion: `vrxctl [--port PATH | --com N] [--baud 4800|9600] [--demo TYPE]
// [--trace] COMMAND`, where `settings --json` prints the first tab as "Считать" fills it, in
// the form-file format of the workspace. Returns the process exit code: 0 done, 1 the instrument or
// the port failed (the Russian message alone on `err`), 2 the command line was wrong.
int RunVrxCtl(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace vrx
