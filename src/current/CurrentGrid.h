#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "current/CurrentDisplay.h"

namespace vrx {

// The tab "Текущие параметры" as rows of text, for the companion's table and the report.

// The texts of the left panel and the clocks, each with the caption the tab shows beside it:
// (caption, form name), in the tab's order.
const std::vector<std::pair<QString, QString>>& CaptionedTexts();

// The shown text of a control; empty when it is not on screen.
QString ShownText(const CurrentDisplay& display, const QString& name);

// The value panel as on screen: a title row (an empty corner, then the shown channels' labels),
// then every shown quantity's row, its label first. Cells keep their line breaks. While the
// panel is hidden only the empty corner is left.
QList<QStringList> ShownGrid(const CurrentDisplay& display);

}  // namespace vrx
