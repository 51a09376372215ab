#pragma once

#include <QFontMetrics>
#include <QString>

class QHeaderView;

namespace vrx {

// Grid titles on up to two lines, broken at a blank, so that a column need not be as wide as a
// long title ("Попр. коэф.", "Договорная t, °C").

// Makes the header as high as two lines of its font and breaks its titles at blanks.
void ShowTitlesOnTwoLines(QHeaderView& header);

// The narrowest width the title needs on at most two lines.
int TwoLineTitleWidth(const QFontMetrics& metrics, const QString& title);

}  // namespace vrx
