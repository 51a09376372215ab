#pragma once

#include <QString>
#include <memory>

#include "journal/JournalDatabase.h"
#include "journal/JournalRecorder.h"
#include "link/Connection.h"
#include "stamp/PcClock.h"

namespace vrx {

// The journal of one run (the window's or the companion's): it owns the database and, once a
// connection is attached, keeps every write of that connection in it. The database opens at its
// first use, so a run that never writes and never lists does not create the file.
class JournalKeeper {
 public:
  explicit JournalKeeper(QString path = JournalDatabase::DefaultPath(),
                         PcClock clock = CurrentPcTime);
  ~JournalKeeper();
  JournalKeeper(const JournalKeeper&) = delete;
  JournalKeeper& operator=(const JournalKeeper&) = delete;

  // Records the connection's writes from now on; the connection must outlive the keeper or be
  // attached to another one first.
  void Attach(Connection& connection);

  JournalDatabase& Database() { return database_; }

 private:
  JournalDatabase database_;
  PcClock clock_;
  Connection* connection_ = nullptr;
  std::unique_ptr<JournalRecorder> recorder_;
};

}  // namespace vrx
