#include "report/CurrentReport.h"

#include "current/CurrentGrid.h"
#include "model/Errors.h"
#include "report/DocumentParts.h"

namespace vrx {

namespace {

const char kNothingRead[] =
    "Отчёт не составлен: текущие параметры в этом сеансе не считаны. Нажмите «Считать» на "
    "вкладке «Текущие параметры» и повторите.";

}  // namespace

Document BuildCurrentReport(const CurrentParams& tab, const QDateTime& madeAt) {
  if (!tab.LastReadout())
    throw EOwned(QString::fromUtf8(kNothingRead));
  const CurrentParams::Readout& readout = *tab.LastReadout();
  const CurrentDisplay& display = tab.Display();
  Document document{QStringLiteral("Текущие параметры прибора"), {}};
  document.blocks.push_back(DocumentRows{{
      {QStringLiteral("Считано:"), MadeAtText(readout.at)},
      {QStringLiteral("Путь к прибору:"), PathCaption(readout.path)},
      {QStringLiteral("Отчёт составлен:"), MadeAtText(madeAt)},
  }});
  document.blocks.push_back(DocumentHeading{QStringLiteral("Прибор")});
  DocumentRows instrument;
  for (const auto& [caption, name] : CaptionedTexts()) {
    if (display.Shown(name))
      instrument.rows.emplace_back(caption, display[name].text);
  }
  if (display.valuePanelVisible && display.coldWaterVisible) {
    instrument.rows.emplace_back(QStringLiteral("Холодная вода, t, °C:"),
                                 ShownText(display, QStringLiteral("stTCW")));
    instrument.rows.emplace_back(QStringLiteral("Холодная вода, P, кгс/см2:"),
                                 ShownText(display, QStringLiteral("stPCW")));
  }
  document.blocks.push_back(instrument);
  QList<QStringList> grid = ShownGrid(display);
  if (grid.size() > 1) {
    document.blocks.push_back(DocumentHeading{QStringLiteral("Значения по каналам")});
    const QStringList titles = grid.takeFirst();
    document.blocks.push_back(DocumentTable{titles, grid});
  }
  document.blocks.push_back(Signatures(QStringLiteral("Показания снял")));
  return document;
}

}  // namespace vrx
