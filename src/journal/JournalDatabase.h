#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "link/WriteJournal.h"

namespace vrx {

// One write as stored: the entry, when it began, and how it ended.
struct JournalRecord {
  int64_t id = 0;
  QDateTime time;
  JournalEntry entry;
  // Empty while the write has not ended: the tool stopped before it could tell.
  QString outcome;
  bool ok = false;
};

// The journal of writes in an SQLite file. Every change is a transaction of its own, so a record
// stored before a write survives whatever happens to the tool during the write. The file is
// opened at its first use; a journal that cannot be opened or written raises EOwned with the
// Russian message.
class JournalDatabase {
 public:
  explicit JournalDatabase(QString path);
  ~JournalDatabase();
  JournalDatabase(const JournalDatabase&) = delete;
  JournalDatabase& operator=(const JournalDatabase&) = delete;

  // VRX_JOURNAL when it is set, else "vrx-service/journal.sqlite" in the per-user data folder.
  static QString DefaultPath();
  const QString& Path() const { return path_; }

  int64_t Insert(const JournalEntry& entry, const QDateTime& time);
  void SetOutcome(int64_t id, bool ok, const QString& outcome);

  // The records, newest first; an empty filter matches every record. Reading never creates the
  // journal: without its file there are no records.
  std::vector<JournalRecord> List(const QString& serial = {}, const QString& model = {});
  std::optional<JournalRecord> Find(int64_t id);

 private:
  bool Exists() const;
  void Open();
  [[noreturn]] void Fail(const QString& reason) const;

  QString path_;
  QString connectionName_;
  bool open_ = false;
};

}  // namespace vrx
