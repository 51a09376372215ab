#include "app/DialogLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "model/Errors.h"

namespace vrx {

int MulDiv(int a, int b, int c) {
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t magnitude = (std::llabs(product) * 2 + std::llabs(c)) / (std::llabs(c) * 2);
  const bool negative = (product < 0) != (c < 0);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

DialogLayout ComputeDialogLayout(const DialogMetrics& m) {
  DialogLayout d;
  const int w = m.averageCharWidth;
  const int h = m.textHeight;
  d.horzMargin = MulDiv(8, w, 4);
  d.vertMargin = MulDiv(8, h, 8);
  d.horzSpacing = MulDiv(10, w, 4);
  d.vertSpacing = MulDiv(10, h, 8);
  d.buttonWidth = std::max(MulDiv(50, w, 4), m.widestButton + 8);
  d.buttonHeight = MulDiv(14, h, 8);
  d.buttonGap = MulDiv(4, w, 4);

  d.content = m.message;
  if (m.hasIcon) {
    d.content.setWidth(m.message.width() + d.horzSpacing + DialogLayout::kIconSize);
    d.content.setHeight(std::max(m.message.height(), DialogLayout::kIconSize));
  }
  const int n = m.buttonCount;
  const int buttonsWidth = n * d.buttonWidth + (n - 1) * d.buttonGap;
  d.client = QSize(std::max(d.content.width(), buttonsWidth) + 2 * d.horzMargin,
                   d.content.height() + d.buttonHeight + d.vertSpacing + 2 * d.vertMargin);
  d.position = QPoint(m.screen.width() / 2 - d.client.width() / 2,
                      m.screen.height() / 2 - d.client.height() / 2);

  if (m.hasIcon)
    d.icon = QRect(d.horzMargin, d.vertMargin, DialogLayout::kIconSize, DialogLayout::kIconSize);

  // The message ends where the content ends, so it stands right of the icon.
  int messageLeft = d.content.width() - m.message.width() + d.horzMargin;
  if (m.rightToLeft)
    messageLeft = d.client.width() - messageLeft - m.message.width();
  d.message = QRect(QPoint(messageLeft, d.vertMargin), m.message);

  int x = (d.client.width() - buttonsWidth) / 2;
  const int y = d.content.height() + d.vertMargin + d.vertSpacing;
  for (int i = 0; i < n; ++i) {
    d.buttons.emplace_back(x, y, d.buttonWidth, d.buttonHeight);
    x += d.buttonWidth + d.buttonGap;
  }
  return d;
}

void CheckButtonList(const QStringList& buttons) {
  if (buttons.isEmpty())
    throw EOwned("Invalid buttons descriptor in CustomDlg");
  for (const QString& caption : buttons)
    if (caption.isNull())
      throw EOwned("Invalid button caption (not a string)");
}

}  // namespace vrx
