#include "link/WriteJournal.h"

#include "model/Errors.h"

namespace vrx {

void WriteJournal::Write(JournalEntry entry, const std::function<void()>& write) {
  if (recorder_ == nullptr) {
    write();
    return;
  }
  entry.port = QStringLiteral("COM%1").arg(port_.PortNumber());
  entry.device = port_.Naming().Resolve(port_.PortNumber());
  const int64_t id = recorder_->Begin(entry);
  try {
    write();
  } catch (const EOwned& e) {
    recorder_->Finish(id, e.message());
    throw;
  } catch (const std::exception& e) {
    recorder_->Finish(id, QString::fromUtf8(e.what()));
    throw;
  }
  recorder_->Finish(id, {});
}

}  // namespace vrx
