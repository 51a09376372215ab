#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include "cli/VrxCtl.h"

namespace vrx::test {

// What one run of the companion gave: its exit code and what it printed on each stream.
struct CtlRun {
  int code = 0;
  QString out;
  QString err;
};

// Runs the companion on the arguments after the program's name. `input` answers its questions
// (nothing: "no" to each); `clock` is the PC's clock.
inline CtlRun RunCtl(const QStringList& arguments, const QString& input = {},
                     const PcClock& clock = CurrentPcTime) {
  CtlRun run;
  QString inputText = input;
  QTextStream in(&inputText, QIODevice::ReadOnly);
  QTextStream out(&run.out);
  QTextStream err(&run.err);
  run.code = RunVrxCtl(QStringList{QStringLiteral("vrxctl")} + arguments, in, out, err, clock);
  out.flush();
  err.flush();
  return run;
}

}  // namespace vrx::test
