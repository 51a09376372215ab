#include "current/CurrentPolling.h"

#include <algorithm>

#include "model/DecimalText.h"
#include "model/Errors.h"

namespace vrx {

namespace {

struct Followed {
  const char* row;
  CurrentPolling::Quantity quantity;
};
const Followed kFollowed[] = {{"lbT", CurrentPolling::Quantity::Temperature},
                              {"lbgt", CurrentPolling::Quantity::Flow},
                              {"lbW", CurrentPolling::Quantity::Power}};

// "t, °C:" and channel 1 give "t1, °C".
QString SeriesTitle(const QString& rowLabel, int channel) {
  QString label = rowLabel.trimmed();
  if (label.endsWith(u':'))
    label.chop(1);
  const qsizetype comma = label.indexOf(QStringLiteral(", "));
  if (comma < 0)
    return label + QString::number(channel);
  return label.left(comma) + QString::number(channel) + label.mid(comma);
}

}  // namespace

CurrentPolling::CurrentPolling(RunContext& context, CurrentParams& tab)
    : context_(context), tab_(tab) {}

void CurrentPolling::Start(int seconds) {
  SetSeconds(seconds);
  active_ = true;
  arm(0);
}

void CurrentPolling::SetSeconds(int seconds) {
  seconds_ = std::clamp(seconds, kMinSeconds, kMaxSeconds);
}

void CurrentPolling::Stop() {
  active_ = false;
  disarm();
  log_.Close();
}

void CurrentPolling::StartLog(const QString& path) {
  QString reason;
  switch (log_.Open(path, &reason)) {
    case CurrentCsvLog::Refusal::None:
      return;
    case CurrentCsvLog::Refusal::Unreadable:
      throw EOwned(QStringLiteral("Не удалось прочитать файл \"%1\": %2").arg(path, reason));
    case CurrentCsvLog::Refusal::NotALog:
      throw EOwned(QStringLiteral("Файл \"%1\" не журнал значений: его первая строка не "
                                  "заголовок журнала. В файл ничего не записано.")
                       .arg(path));
    case CurrentCsvLog::Refusal::Unwritable:
      throw EOwned(
          QStringLiteral("Не удалось открыть файл \"%1\" для записи: %2").arg(path, reason));
  }
}

void CurrentPolling::Tick() {
  if (!active_ || ticking_)
    return;
  const int periodMs = seconds_ * 1000;
  // The line is another action's: this readout is left out, the next comes a period later.
  if (context_.Busy()) {
    arm(periodMs);
    return;
  }
  ticking_ = true;
  const QDateTime started = now();
  const int64_t ms = started.toMSecsSinceEpoch();
  ActionOutcome outcome;
  // The points and the row are taken before the actions that waited for the line run.
  context_.RunBackground(
      [&] {
        try {
          tab_.bnReadCurParamsClick();
        } catch (...) {
          failures_.Append(ms, 0);
          changed();
          WriteRow(started, EscapedErrorText(std::current_exception()), nullptr);
          throw;
        }
        Record(ms);
        changed();
        WriteRow(started, QString(), &tab_.Display());
      },
      outcome);
  ticking_ = false;
  if (!active_)
    return;
  const bool afterEnd = tab_.path == CurrentPath::Opx;
  const int64_t took = started.msecsTo(now());
  arm(afterEnd ? periodMs : static_cast<int>(std::clamp<int64_t>(periodMs - took, 0, periodMs)));
}

void CurrentPolling::Record(int64_t ms) {
  const CurrentDisplay& display = tab_.Display();
  for (const Followed& followed : kFollowed) {
    const QString row = QString::fromLatin1(followed.row);
    if (!display.Shown(row))
      continue;
    for (const CurrentDisplay::Row& cells : CurrentDisplay::Rows()) {
      if (cells.label != row)
        continue;
      for (int k = 1; k <= 5; ++k) {
        const QString& cell = cells.cells[k - 1];
        if (cell.isEmpty() || !display.Shown(cell))
          continue;
        const std::optional<double> value = ParseDecimal(display[cell].text);
        if (!value)
          continue;
        auto it = std::find_if(series_.begin(), series_.end(),
                               [&](const Series& s) { return s.cell == cell; });
        if (it == series_.end()) {
          series_.push_back({cell, QString(), followed.quantity, {}});
          it = series_.end() - 1;
        }
        // The unit follows the tab (ГДж or ГКал).
        it->title = SeriesTitle(display[row].text, k);
        it->points.Append(ms, *value);
      }
    }
  }
}

void CurrentPolling::WriteRow(const QDateTime& time, const QString& error,
                              const CurrentDisplay* values) {
  if (!log_.IsOpen())
    return;
  // A log the disk no longer takes is closed with its reason; the polling goes on.
  try {
    log_.Append(time, error, values);
  } catch (const EOwned& failure) {
    context_.messages.ShowError(failure.message());
  }
}

void CurrentPolling::Clear() {
  series_.clear();
  failures_.Clear();
}

}  // namespace vrx
