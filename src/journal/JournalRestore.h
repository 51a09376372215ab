#pragma once

#include "journal/JournalDatabase.h"
#include "link/Connection.h"
#include "model/Messages.h"
#include "stamp/PcTimeConfirmation.h"
#include "stamp/PcTimeStamp.h"

namespace vrx {

// Writes the block a record saved from before its write back into the instrument, through the
// same write as the record's own (so it is stamped with the PC time where that write stamps and
// is itself recorded). The instrument on the line is identified and read first; another model,
// or another serial number than the block had before or after the recorded write, is refused
// before anything is written. The archive is kept. The interface module is addressed at the
// connection's interface speed.
void RestoreRecord(Connection& connection, const JournalRecord& record, PcTimeStamp& stamp,
                   PcTimeConfirmation& confirmation, Messages& messages);

}  // namespace vrx
