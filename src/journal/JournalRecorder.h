#pragma once

#include <QStringList>

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

  // How long a journal that refuses an outcome is asked again: one more time, after a pause (each
  // attempt itself waits for a lock as long as the journal's busy time-out).
  static constexpr int kOutcomeAttempts = 2;
  static constexpr int kOutcomeRetryPauseMs = 1000;

  int64_t Begin(const JournalEntry& entry) override;
  // Stores the outcome. When the journal still refuses it after the retries, the record stays
  // without one; nothing is thrown, since the write itself has ended and its own result stands,
  // but the loss is kept for the caller to report (TakeLostOutcomes).
  void Finish(int64_t id, const QString& error) override;

  // The messages of the outcomes lost since the last call, each naming the journal, the reason,
  // the outcome and the record left without it.
  QStringList TakeLostOutcomes();

 private:
  JournalDatabase& database_;
  const ConnectionState& state_;
  PcClock clock_;
  JournalBlock lastBlock_ = JournalBlock::Settings;
  QStringList lostOutcomes_;
};

}  // namespace vrx
