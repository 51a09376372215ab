#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

#include "current/CurrentCsv.h"
#include "current/CurrentParams.h"
#include "current/TrendSeries.h"
#include "session/RunContext.h"

namespace vrx {

// "Опрос каждые N с" of the tab "Текущие параметры" without its widgets: repeats the readout of
// the tab, keeps the temperatures, flows and powers it showed as series over time and the times
// of failed readouts, and writes every readout to the CSV log while one is chosen.
//
// A readout holds the line as a user action does (RunContext::RunBackground): an action started
// meanwhile waits for it, and a tick that comes while another action runs is skipped. Readouts
// start N s apart; on the OPX path, whose wake-up takes long, N s after the previous one ended.
class CurrentPolling {
 public:
  static constexpr int kMinSeconds = ReadLockout::kTimer2IntervalMs / 1000;
  static constexpr int kMaxSeconds = 3600;

  enum class Quantity { Temperature, Flow, Power };
  struct Series {
    QString cell;   // the tab's cell it follows, e.g. "stT1"
    QString title;  // e.g. "t1, °C": the row's symbol, the channel, the unit the tab shows
    Quantity quantity;
    TrendSeries points;
  };

  CurrentPolling(RunContext& context, CurrentParams& tab);

  // The view's single-shot timer, armed for the next tick, and stopped.
  std::function<void(int ms)> arm;
  std::function<void()> disarm;
  std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
  // Called inside a readout's action once its values, points or failure are kept, so the window
  // shows them before the action ends (the status line compares what it showed).
  std::function<void()> changed = [] {};

  bool Active() const { return active_; }
  int Seconds() const { return seconds_; }
  // Starts polling every `seconds` (kept within kMinSeconds..kMaxSeconds); the first readout
  // comes at once. A change while polling takes effect from the next tick.
  void Start(int seconds);
  void SetSeconds(int seconds);
  // Ends polling and closes the log. The series stay.
  void Stop();
  void Tick();

  // Opens the log at `path` for the readouts from now on, until polling stops. Raises EOwned
  // with the reason for a file it cannot take.
  void StartLog(const QString& path);
  const CurrentCsvLog& Log() const { return log_; }

  const std::vector<Series>& AllSeries() const { return series_; }
  const TrendSeries& Failures() const { return failures_; }
  // Forgets every point and failure ("Очистить").
  void Clear();

 private:
  void Record(int64_t ms);
  void WriteRow(const QDateTime& time, const QString& error, const CurrentDisplay* values);

  RunContext& context_;
  CurrentParams& tab_;
  bool active_ = false;
  bool ticking_ = false;
  int seconds_ = kMinSeconds;
  std::vector<Series> series_;
  TrendSeries failures_;
  CurrentCsvLog log_;
};

}  // namespace vrx
