#pragma once

#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>
#include <vector>

#include "session/ActionObserver.h"

namespace vrx {

// The status line's account of the user's actions. While an action talks to the instrument the
// line says what the exchange is doing ("Чтение настроек…", "Опрос через OPX…"); when the action
// has ended, how it ended: "Считано 11:25:03" after a read ("Считано 11:25:03: значения не
// изменились" when everything shown stayed as it was), "Записано 11:25:03" after a write,
// "Выполнено 11:25:03" after a command that neither reads nor writes a block, the first line of
// the error after a failure, "Отменено" when the engineer declined to go on. An action that did
// not talk to the instrument and did not fail leaves the line as it was.
class ActionStatus : public ActionObserver {
 public:
  struct Hooks {
    // Puts a text on the status line.
    std::function<void(const QString&)> show;
    // Every value the window shows now, compared before and after a read.
    std::function<QStringList()> shownValues;
    std::function<QTime()> clock = [] { return QTime::currentTime(); };
  };

  explicit ActionStatus(Hooks hooks);

  // What the line says while the step runs.
  static QString StepText(LinkStep step);

  void ActionBegins() override;
  void ActionStep(LinkStep step) override;
  void ActionEnds(const ActionOutcome& outcome) override;

 private:
  struct Frame {
    bool exchanged = false;
    // A step has been shown; plain exchanges then say nothing new.
    bool shown = false;
    bool read = false;
    bool wrote = false;
    // What the window showed before the first exchange.
    QStringList before;
  };

  QString EndText(const Frame& frame, const ActionOutcome& outcome) const;

  Hooks hooks_;
  std::vector<Frame> frames_;
};

}  // namespace vrx
