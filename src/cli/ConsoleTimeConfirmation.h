#pragma once

#include <QTextStream>

#include "stamp/PcClock.h"
#include "stamp/PcTimeConfirmation.h"

namespace vrx {

// The clock check of the companion: prints the PC time and "Это правильное время?" to `out` and
// takes one line from `in`. Only "да", "д", "yes" or "y" (any case) confirm; anything else, an
// empty line and the end of the input included, refuses.
class ConsoleTimeConfirmation : public PcTimeConfirmation {
 public:
  ConsoleTimeConfirmation(QTextStream& in, QTextStream& out, PcClock clock);

  bool ConfirmPcTime() override;

 private:
  QTextStream& in_;
  QTextStream& out_;
  PcClock clock_;
};

// The engineer confirmed the PC time on the command line (--time-ok).
class PresetTimeConfirmation : public PcTimeConfirmation {
 public:
  bool ConfirmPcTime() override { return true; }
};

}  // namespace vrx
