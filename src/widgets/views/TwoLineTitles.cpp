#include "widgets/views/TwoLineTitles.h"

#include <QHeaderView>
#include <algorithm>

namespace vrx {

namespace {
constexpr int kTitleLines = 2;
// Room above and below the two lines.
constexpr int kHeaderPadding = 6;
}  // namespace

void ShowTitlesOnTwoLines(QHeaderView& header) {
  // The style draws header titles with the text flags of the alignment; word wrap breaks them.
  header.setDefaultAlignment(Qt::AlignCenter | Qt::Alignment(Qt::TextWordWrap));
  header.setFixedHeight(header.fontMetrics().lineSpacing() * kTitleLines + kHeaderPadding);
}

int TwoLineTitleWidth(const QFontMetrics& metrics, const QString& title) {
  int best = metrics.horizontalAdvance(title);
  for (qsizetype blank = title.indexOf(QLatin1Char(' ')); blank >= 0;
       blank = title.indexOf(QLatin1Char(' '), blank + 1)) {
    best = std::min(best, std::max(metrics.horizontalAdvance(title.left(blank)),
                                   metrics.horizontalAdvance(title.mid(blank + 1))));
  }
  return best;
}

}  // namespace vrx
