#include "session/ActionStatus.h"

#include <gtest/gtest.h>

#include "model/Errors.h"
#include "session/RunContext.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using End = ActionOutcome::End;

// The status line of a run whose actions take the steps of a table, at 11:25:03.
struct Line {
  QStringList shown;
  // What the window shows; a read that changes it appends to it.
  QStringList screen = {QStringLiteral("0")};
  ActionStatus status{{[this](const QString& text) { shown << text; }, [this] { return screen; },
                       [] { return QTime(11, 25, 3); }}};
};

TEST(ActionStatusTest, SaysWhatEachStepDoesAndHowTheActionEnded) {
  struct Case {
    const char* label;
    std::vector<LinkStep> steps;
    ActionOutcome outcome;
    bool screenChanges;
    QStringList shown;
  };
  using S = LinkStep;
  const Case cases[] = {
      {"a settings read",
       {S::Identify, S::Exchange, S::ReadSettings, S::Exchange, S::Exchange},
       {},
       true,
       {"Опознание прибора…", "Чтение настроек…", "Считано 11:25:03"}},
      {"a read that shows the same as before",
       {S::Identify, S::Exchange, S::ReadUnitBlock, S::Exchange},
       {},
       false,
       {"Опознание прибора…", "Чтение настроек RQ-7…", "Считано 11:25:03: значения не изменились"}},
      {"a readout through the OPX adapter",
       {S::WakeOpx, S::Exchange, S::ReadValues, S::Exchange},
       {},
       true,
       {"Опрос через OPX…", "Чтение текущих параметров…", "Считано 11:25:03"}},
      {"a write reads first",
       {S::Identify, S::Exchange, S::ReadSettings, S::Exchange, S::WriteSettings, S::Exchange},
       {},
       true,
       {"Опознание прибора…", "Чтение настроек…", "Запись настроек…", "Записано 11:25:03"}},
      {"a command alone",
       {S::Exchange, S::Exchange},
       {},
       false,
       {"Обмен с прибором…", "Выполнено 11:25:03"}},
      {"a failure: the first line of the error",
       {S::Identify},
       {End::Failed, "Ошибка калибровки.\r\nПолучен неправильный коэффициент: 65341"},
       false,
       {"Опознание прибора…", "Ошибка калибровки."}},
      {"a refused value fails without an exchange",
       {},
       {End::Failed, "Неверный номер прибора"},
       false,
       {"Неверный номер прибора"}},
      {"a declined question",
       {S::Identify},
       {End::Cancelled, {}},
       false,
       {"Опознание прибора…", "Отменено"}},
      {"an action that does not talk to the instrument says nothing", {}, {}, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Line line;
    line.status.ActionBegins();
    for (LinkStep step : c.steps)
      line.status.ActionStep(step);
    if (c.screenChanges)
      line.screen << QStringLiteral("read");
    line.status.ActionEnds(c.outcome);
    EXPECT_EQ(line.shown, c.shown);
  }
}

// A dialog opened by an action reads inside it: the read is the dialog's; the action that opened
// the dialog adds nothing when it ends.
TEST(ActionStatusTest, ANestedActionReportsItsOwnSteps) {
  Line line;
  line.status.ActionBegins();
  line.status.ActionBegins();
  line.status.ActionStep(LinkStep::ReadSettings);
  line.screen << QStringLiteral("read");
  line.status.ActionEnds({});
  line.status.ActionEnds({});
  EXPECT_EQ(line.shown, QStringList({"Чтение настроек…", "Считано 11:25:03"}));
}

// The run context tells its observers of every action and of the steps its connection reports.
TEST(ActionStatusTest, TheRunContextReportsTheConnectionsSteps) {
  PlainCursor cursor;
  RecordingMessages messages;
  struct NoPause : Pacer {
    void Wait(int) override {}
    void PumpMessages() override {}
  } pacer;
  RunContext context(pacer, cursor, messages);
  Line line;
  context.AddObserver(line.status);
  context.connection.activity.Report(LinkStep::Identify);
  context.RunAction([&] {
    context.connection.activity.Report(LinkStep::Identify);
    throw EComPort("Нет ответа от прибора");
  });
  context.RemoveObserver(line.status);
  context.RunAction([&] { context.connection.activity.Report(LinkStep::Identify); });
  EXPECT_EQ(line.shown, QStringList({"Опознание прибора…", "Нет ответа от прибора"}));
}

}  // namespace
}  // namespace vrx
