#include "journal/JournalText.h"

#include <QStringList>
#include <algorithm>

namespace vrx::journal_text {

namespace {

constexpr int kRowBytes = 16;
// The write began and the journal never learned how it ended: the tool stopped during it, or the
// journal refused its outcome (the tool said so then).
const char* const kUnfinished = "результат не записан";

QString Outcome(const JournalRecord& r) {
  return r.outcome.isEmpty() ? QString::fromUtf8(kUnfinished) : r.outcome;
}

QString Row(const QByteArray& bytes, const QByteArray& other, int from) {
  QString row;
  for (int i = from; i < from + kRowBytes && i < bytes.size(); ++i) {
    const QString hex =
        QStringLiteral("%1").arg(static_cast<uint8_t>(bytes[i]), 2, 16, QLatin1Char('0'));
    const bool differs = i >= other.size() || other[i] != bytes[i];
    row += differs ? QLatin1Char('[') + hex + QLatin1Char(']') : QLatin1Char(' ') + hex + ' ';
  }
  return row;
}

}  // namespace

QStringList ListTitles() {
  return {QStringLiteral("№"),        QStringLiteral("Время"),  QStringLiteral("Порт"),
          QStringLiteral("Модель"),   QStringLiteral("Зав. №"), QStringLiteral("Операция"),
          QStringLiteral("Результат")};
}

QString ListLine(const JournalRecord& r) {
  return QStringList{QString::number(r.id),
                     r.time.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")),
                     r.entry.port,
                     r.entry.model,
                     r.entry.serial,
                     r.entry.operation,
                     Outcome(r)}
      .join(QLatin1Char('\t'));
}

QString Details(const JournalRecord& r) {
  const JournalEntry& e = r.entry;
  QStringList lines = {QStringLiteral("Запись %1, %2")
                           .arg(r.id)
                           .arg(r.time.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"))),
                       QStringLiteral("Порт: %1 (%2)").arg(e.port, e.device),
                       QStringLiteral("Прибор: %1, заводской номер %2").arg(e.model, e.serial),
                       QStringLiteral("Операция: %1").arg(e.operation),
                       QStringLiteral("Результат: %1").arg(Outcome(r)),
                       QString()};
  const auto length = std::max(e.before.size(), e.after.size());
  for (int from = 0; from < length; from += kRowBytes) {
    lines << QStringLiteral("%1  до    %2")
                 .arg(from, 4, 16, QLatin1Char('0'))
                 .arg(Row(e.before, e.after, from));
    lines << QStringLiteral("      после %1").arg(Row(e.after, e.before, from));
  }
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace vrx::journal_text
