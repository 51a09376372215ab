#include "app/WriteButtonTips.h"

#include <QStringList>

namespace vrx {

namespace {

const char* const kJournalKeeps =
    "\nЖурнал записей сохраняет прежний блок прибора, его можно вернуть («Журнал записей…»).";

struct Tip {
  const char* window;
  const char* button;
  const char* text;
  // Whether the write is one the journal keeps.
  bool journal;
};

const Tip kTips[] = {
    {"MainForm", "bbInitialize",
     "Записывает в прибор настройки с этой вкладки, с отметкой времени ПК; при отмеченном "
     "«Стирать архив» архив прибора стирается.",
     true},
    {"MainForm", "bnInitExit",
     "Переводит VRX-L1 из режима инициализации в рабочий режим. Блоки прибора не меняются.", false},
    {"MainForm", "bnLoBattLimit",
     "Записывает в настройки прибора порог срабатывания LB по нынешнему напряжению питания.", true},
    {"MainForm", "Button4", "Записывает в модуль доп. интерфейса настройки с этой вкладки.", true},
    {"MainForm", "bbRQInitialize",
     "Записывает в блок RQ-7 настройки с этой вкладки, с отметкой времени ПК.", true},
    {"RTCCorrectionForm1", "bnWrite",
     "Записывает в настройки прибора коррекцию часов, выбранную ползунком.", true},
    {"TicksCorrectionForm", "bnWrite",
     "Записывает в настройки прибора поправки цены импульса, выбранные ползунками.", true},
    {"CountersForm", "bnWrite",
     "Записывает в прибор показания счетчиков: время наработки, тепло и массу из полей.", true},
    {"TFormCalibrTempr", "bnCalibr",
     "Калибрует АЦП по магазину сопротивлений: прибор запоминает новый коэффициент K. В журнал "
     "записей не попадает.",
     false},
    {"TformCalibrPressure", "bnCalibr",
     "Записывает в прибор коэффициент выбранного канала давления, рассчитанный по Uref и RL.",
     true},
    {"TformCalibrPressure", "Button1",
     "Записывает в прибор коэффициент выбранного канала давления, рассчитанный по измеренному "
     "току.",
     true},
    {"TformCalibrPressure", "bnSetPmax",
     "Записывает в прибор верхний предел давления Pmax выбранного канала.", true},
    {"fmJournal", "bnRestore", "Записывает в прибор блок, сохраненный перед выбранной записью.",
     true},
};

}  // namespace

QString WriteButtonTip(const QString& window, const QString& button) {
  for (const Tip& tip : kTips) {
    if (window == QLatin1String(tip.window) && button == QLatin1String(tip.button)) {
      QString text = QString::fromUtf8(tip.text);
      if (tip.journal)
        text += QString::fromUtf8(kJournalKeeps);
      return text;
    }
  }
  return {};
}

QStringList WriteButtonsWithTips() {
  QStringList names;
  for (const Tip& tip : kTips)
    names << QStringLiteral("%1/%2").arg(QLatin1String(tip.window), QLatin1String(tip.button));
  return names;
}

}  // namespace vrx
