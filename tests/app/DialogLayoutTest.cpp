#include "app/DialogLayout.h"

#include <gtest/gtest.h>

#include "model/Errors.h"

namespace vrx {
namespace {

DialogMetrics Metrics() {
  DialogMetrics m;
  m.averageCharWidth = 7;
  m.textHeight = 16;
  m.message = QSize(200, 16);
  m.widestButton = 20;
  m.buttonCount = 2;
  m.hasIcon = true;
  m.screen = QSize(1280, 1024);
  return m;
}

// W = 7, H = 16 (MulDiv rounds 17.5 and 87.5 up): margins 14 and 16, spacings 18 and 20, buttons 88
// x 28 with a gap of 7.
TEST(DialogLayoutTest, IconMessageAndButtonsForKnownMetrics) {
  const DialogLayout d = ComputeDialogLayout(Metrics());
  EXPECT_EQ(d.buttonWidth, 88);
  EXPECT_EQ(d.buttonHeight, 28);
  EXPECT_EQ(d.content, QSize(200 + 18 + 32, 32));
  EXPECT_EQ(d.client, QSize(250 + 28, 32 + 28 + 20 + 32));
  EXPECT_EQ(d.position, QPoint(640 - 139, 512 - 56));
  EXPECT_EQ(d.icon, QRect(14, 16, 32, 32));
  EXPECT_EQ(d.message, QRect(14 + 50, 16, 200, 16));
  // The buttons (183 wide together) are centred.
  ASSERT_EQ(d.buttons.size(), 2u);
  EXPECT_EQ(d.buttons[0], QRect(47, 68, 88, 28));
  EXPECT_EQ(d.buttons[1], QRect(47 + 95, 68, 88, 28));
}

TEST(DialogLayoutTest, RightToLeftMirrorsTheMessageOnly) {
  DialogMetrics m = Metrics();
  m.rightToLeft = true;
  const DialogLayout d = ComputeDialogLayout(m);
  EXPECT_EQ(d.message, QRect(278 - 64 - 200, 16, 200, 16));
  EXPECT_EQ(d.icon, QRect(14, 16, 32, 32));
}

TEST(DialogLayoutTest, RefusesButtonListsNoDialogCanBeBuiltFrom) {
  try {
    CheckButtonList({});
    FAIL() << "an empty list passed";
  } catch (const EOwned& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Invalid buttons descriptor in CustomDlg"));
  }
  try {
    CheckButtonList({QStringLiteral("OK"), QString()});
    FAIL() << "a null caption passed";
  } catch (const EOwned& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Invalid button caption (not a string)"));
  }
  EXPECT_NO_THROW(CheckButtonList({QStringLiteral("Да"), QLatin1String("")}));
}

}  // namespace
}  // namespace vrx
