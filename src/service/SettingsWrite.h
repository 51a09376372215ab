#pragma once

#include <QString>

#include "link/Connection.h"
#include "model/Messages.h"
#include "stamp/PcTimeConfirmation.h"
#include "stamp/PcTimeStamp.h"

namespace vrx {

// What a service write needs besides the connection: the time stamp with whoever confirms the
// PC clock, the messages, and the main window's "Стирать архив".
struct SettingsWrite {
  PcTimeStamp& stamp;
  PcTimeConfirmation& confirmation;
  Messages& messages;
  bool eraseArchive = false;

  // Stamps the image in the connection's buffer with the PC time (a refusal throws EAbort
  // before anything is written).
  void Stamp(Connection& connection) const;
  // Writes the image in the connection's buffer (command 0 or 18, read back and compared) as
  // `operation` of the journal, reports `done` and warns about an image the instrument cannot
  // work with.
  void WriteAndReport(Connection& connection, const QString& operation, const QString& done) const;
};

}  // namespace vrx
