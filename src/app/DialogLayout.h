#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <vector>

namespace vrx {

// a·b/c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);

// What the message dialog's geometry depends on, measured in the dialog font.
struct DialogMetrics {
  int averageCharWidth = 0;  // width of "A".."Z""a".."z" divided by 52
  int textHeight = 0;        // height of that text
  QSize message;             // the message wrapped within half the screen width
  int widestButton = 0;      // the widest button caption as one line
  int buttonCount = 0;
  bool hasIcon = false;
  bool rightToLeft = false;
  QSize screen;
};

struct DialogLayout {
  static constexpr int kIconSize = 32;

  int horzMargin = 0;
  int vertMargin = 0;
  int horzSpacing = 0;
  int vertSpacing = 0;
  int buttonWidth = 0;
  int buttonHeight = 0;
  int buttonGap = 0;
  QSize content;  // the icon and the message side by side
  QSize client;
  QPoint position;  // centred on the screen
  QRect icon;       // empty without an icon
  QRect message;
  std::vector<QRect> buttons;
};

DialogLayout ComputeDialogLayout(const DialogMetrics& metrics);

// Refuses a button list no dialog can be built from: an empty list raises "Invalid buttons
// descriptor in CustomDlg", a caption without text object (a null QString) raises "Invalid
// button caption (not a string)". Both are programming errors.
void CheckButtonList(const QStringList& buttons);

}  // namespace vrx
