#include "journal/JournalKeeper.h"

#include <utility>

namespace vrx {

JournalKeeper::JournalKeeper(QString path, PcClock clock)
    : database_(std::move(path)), clock_(std::move(clock)) {}

JournalKeeper::~JournalKeeper() {
  if (connection_ != nullptr)
    connection_->journal.Install(nullptr);
}

void JournalKeeper::Attach(Connection& connection) {
  if (connection_ != nullptr)
    connection_->journal.Install(nullptr);
  connection_ = &connection;
  recorder_ = std::make_unique<JournalRecorder>(database_, connection.state, clock_);
  connection.journal.Install(recorder_.get());
}

}  // namespace vrx
