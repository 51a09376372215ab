#include "session/ActionStatus.h"

#include <QRegularExpression>
#include <utility>

namespace vrx {

namespace {

bool Reads(LinkStep step) {
  switch (step) {
    case LinkStep::ReadSettings:
    case LinkStep::ReadUnitBlock:
    case LinkStep::WakeOpx:
    case LinkStep::ReadValues:
    case LinkStep::ReadForwarded:
    case LinkStep::ReadInterface:
    case LinkStep::ReadAdc:
    case LinkStep::ReadPressureBlock:
      return true;
    default:
      return false;
  }
}

bool Writes(LinkStep step) {
  return step == LinkStep::WriteSettings || step == LinkStep::WriteUnitBlock ||
         step == LinkStep::WriteInterface || step == LinkStep::WritePressureBlock;
}

QString FirstLine(const QString& text) {
  return text.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0, QString::SectionSkipEmpty)
      .trimmed();
}

}  // namespace

ActionStatus::ActionStatus(Hooks hooks) : hooks_(std::move(hooks)) {}

QString ActionStatus::StepText(LinkStep step) {
  switch (step) {
    case LinkStep::Exchange:
      return QStringLiteral("Обмен с прибором…");
    case LinkStep::Identify:
      return QStringLiteral("Опознание прибора…");
    case LinkStep::ReadSettings:
      return QStringLiteral("Чтение настроек…");
    case LinkStep::WriteSettings:
      return QStringLiteral("Запись настроек…");
    case LinkStep::ReadUnitBlock:
      return QStringLiteral("Чтение настроек RQ-7…");
    case LinkStep::WriteUnitBlock:
      return QStringLiteral("Запись настроек RQ-7…");
    case LinkStep::WakeOpx:
      return QStringLiteral("Опрос через OPX…");
    case LinkStep::ReadValues:
      return QStringLiteral("Чтение текущих параметров…");
    case LinkStep::ReadForwarded:
      return QStringLiteral("Опрос через доп. интерфейс…");
    case LinkStep::ReadInterface:
      return QStringLiteral("Чтение настроек доп. интерфейса…");
    case LinkStep::WriteInterface:
      return QStringLiteral("Запись настроек доп. интерфейса…");
    case LinkStep::ReadAdc:
      return QStringLiteral("Чтение кода АЦП…");
    case LinkStep::ReadPressureBlock:
      return QStringLiteral("Чтение коэффициентов давления…");
    case LinkStep::WritePressureBlock:
      return QStringLiteral("Запись коэффициентов давления…");
  }
  return {};
}

void ActionStatus::ActionBegins() {
  frames_.emplace_back();
}

void ActionStatus::ActionStep(LinkStep step) {
  // Exchanges outside the actions (a test driving the link itself) are nobody's to report.
  if (frames_.empty())
    return;
  Frame& frame = frames_.back();
  if (!frame.exchanged && hooks_.shownValues)
    frame.before = hooks_.shownValues();
  frame.exchanged = true;
  frame.read = frame.read || Reads(step);
  frame.wrote = frame.wrote || Writes(step);
  if (step == LinkStep::Exchange && frame.shown)
    return;
  frame.shown = true;
  hooks_.show(StepText(step));
}

void ActionStatus::ActionEnds(const ActionOutcome& outcome) {
  if (frames_.empty())
    return;
  const Frame frame = std::move(frames_.back());
  frames_.pop_back();
  const QString text = EndText(frame, outcome);
  if (!text.isEmpty())
    hooks_.show(text);
}

QString ActionStatus::EndText(const Frame& frame, const ActionOutcome& outcome) const {
  switch (outcome.end) {
    case ActionOutcome::End::Failed:
      return FirstLine(outcome.error);
    case ActionOutcome::End::Cancelled:
      return QStringLiteral("Отменено");
    case ActionOutcome::End::Done:
      break;
  }
  if (!frame.exchanged)
    return {};
  const QString time = hooks_.clock().toString(QStringLiteral("HH:mm:ss"));
  if (frame.wrote)
    return QStringLiteral("Записано ") + time;
  if (!frame.read)
    return QStringLiteral("Выполнено ") + time;
  if (hooks_.shownValues && hooks_.shownValues() == frame.before)
    return QStringLiteral("Считано %1: значения не изменились").arg(time);
  return QStringLiteral("Считано ") + time;
}

}  // namespace vrx
