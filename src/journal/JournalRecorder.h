#pragma once

#include "journal/JournalDatabase.h"
#include "link/ConnectionState.h"
#include "link/WriteJournal.h"
#include "stamp/PcClock.h"

namespace vrx {

// Keeps the writes of one connection in the journal: the serial number from the block the
// instrument held, the PC time, and a refusal of the write when the record cannot be stored.
class JournalRecorder : public WriteRecorder {
 public:
  JournalRecorder(JournalDatabase& database, const ConnectionState& state,
                  PcClock clock = CurrentPcTime);

  int64_t Begin(const JournalEntry& entry) override;
  // An outcome that cannot be stored leaves the record without one, as a write that never
  // ended: the write itself is done and is not reported as failed.
  void Finish(int64_t id, const QString& error) override;

 private:
  JournalDatabase& database_;
  const ConnectionState& state_;
  PcClock clock_;
  JournalBlock lastBlock_ = JournalBlock::Settings;
};

}  // namespace vrx
