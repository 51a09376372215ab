#include "journal/JournalRecorder.h"

#include <QThread>
#include <utility>

#include "journal/JournalSerial.h"
#include "model/Errors.h"

namespace vrx {

namespace {
const char* const kRefused = " Запись в прибор отменена.";
// The settings image and the RQ-7 block are read back and compared after the write; the
// module's settings and the pressure block are acknowledged by an echo.
const char* const kWrittenReadBack = "Записано и проверено чтением";
const char* const kWritten = "Записано";
// Follows the journal's own message ("Журнал записей недоступен (FILE): REASON.").
const char* const kOutcomeLost =
    " Результат записи в прибор (\"%1\") в нем не сохранен: запись %2 журнала осталась без "
    "результата.";
}  // namespace

JournalRecorder::JournalRecorder(JournalDatabase& database, const ConnectionState& state,
                                 PcClock clock)
    : database_(database), state_(state), clock_(std::move(clock)) {}

int64_t JournalRecorder::Begin(const JournalEntry& entry) {
  JournalEntry stored = entry;
  if (stored.serial.isEmpty())
    stored.serial = SerialOf(entry.block, entry.before, state_);
  lastBlock_ = entry.block;
  try {
    return database_.Insert(stored, clock_());
  } catch (const EOwned& e) {
    throw EOwned(e.message() + QString::fromUtf8(kRefused));
  }
}

void JournalRecorder::Finish(int64_t id, const QString& error) {
  const bool readBack =
      lastBlock_ == JournalBlock::Settings || lastBlock_ == JournalBlock::UnitBlock;
  const QString outcome =
      error.isEmpty() ? QString::fromUtf8(readBack ? kWrittenReadBack : kWritten) : error;
  QString refusal;
  for (int attempt = 1; attempt <= kOutcomeAttempts; ++attempt) {
    try {
      database_.SetOutcome(id, error.isEmpty(), outcome);
      return;
    } catch (const EOwned& e) {
      refusal = e.message();
    }
    if (attempt < kOutcomeAttempts)
      QThread::msleep(kOutcomeRetryPauseMs);
  }
  lostOutcomes_ << refusal + QString::fromUtf8(kOutcomeLost).arg(outcome).arg(id);
}

QStringList JournalRecorder::TakeLostOutcomes() {
  return std::exchange(lostOutcomes_, {});
}

}  // namespace vrx
