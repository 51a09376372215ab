#include "service/ClockVerifyForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "support/WidgetTestHelpers.h"

namespace vrx {
namespace {

const QString kFormat = QStringLiteral("dd.MM.yy hh:mm:ss");

QLabel* Label(QWidget& form, const char* name) {
  return form.findChild<QLabel*>(QString::fromLatin1(name));
}

TEST(ClockVerifyFormTest, ControlsCarryTheirTextsAndTheTimerWaitsForTheShow) {
  TClockVerifyForm form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Проверка часов"));
  ASSERT_NE(Label(form, "Label1"), nullptr);
  EXPECT_EQ(Label(form, "Label1")->text(), QStringLiteral("Проверьте время!"));
  EXPECT_TRUE(Label(form, "Label1")->font().bold());
  EXPECT_EQ(Label(form, "Label1")->palette().color(QPalette::WindowText), QColor(128, 0, 0));
  ASSERT_NE(Label(form, "clockDisplay"), nullptr);
  EXPECT_EQ(Label(form, "clockDisplay")->text(), QStringLiteral("00:00:00 00.00.00"));
  ASSERT_NE(Label(form, "Label3"), nullptr);
  EXPECT_EQ(Label(form, "Label3")->text(), QStringLiteral("Это правильное время?"));

  auto* yes = form.findChild<QPushButton*>("BitBtn1");
  auto* no = form.findChild<QPushButton*>("BitBtn2");
  ASSERT_NE(yes, nullptr);
  ASSERT_NE(no, nullptr);
  EXPECT_EQ(yes->text(), QStringLiteral("&Да"));
  EXPECT_EQ(no->text(), QStringLiteral("&Нет"));
  EXPECT_TRUE(yes->isDefault());

  auto* timer = form.findChild<QTimer*>("Timer1");
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), 500);
  EXPECT_FALSE(timer->isActive());
}

TEST(ClockVerifyFormTest, OnlyDaConfirms) {
  struct Case {
    const char* name;
    std::function<void(QWidget*)> answer;
    bool confirmed;
  };
  const Case cases[] = {
      {"Да", [](QWidget* w) { w->findChild<QPushButton*>("BitBtn1")->click(); }, true},
      {"Нет", [](QWidget* w) { w->findChild<QPushButton*>("BitBtn2")->click(); }, false},
      {"Esc", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, false},
      {"closed", [](QWidget* w) { w->close(); }, false},
  };
  TClockVerifyForm form;  // reused, as the window does
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto seen = test::OnNextModal(c.answer);
    EXPECT_EQ(form.ConfirmPcTime(), c.confirmed);
    EXPECT_TRUE(*seen);
    EXPECT_FALSE(form.isVisible());
  }
}

TEST(ClockVerifyFormTest, TheDisplayFollowsTheClockOnlyWhileShown) {
  QDateTime now(QDate(2024, 12, 31), QTime(23, 59, 58));
  TClockVerifyForm form([&now] { return now; });
  QLabel* display = Label(form, "clockDisplay");
  auto* timer = form.findChild<QTimer*>("Timer1");
  ASSERT_NE(display, nullptr);
  ASSERT_NE(timer, nullptr);

  form.show();
  EXPECT_EQ(display->text(), QStringLiteral("31.12.24 23:59:58"));
  now = now.addSecs(1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return display->text() == "31.12.24 23:59:59"; }, 2000));
  now = now.addSecs(1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return display->text() == "01.01.25 00:00:00"; }, 2000));

  form.hide();
  EXPECT_FALSE(timer->isActive());
  const QString frozen = display->text();
  now = now.addSecs(3600);
  QTest::qWait(2 * TClockVerifyForm::kRefreshMs);
  EXPECT_EQ(display->text(), frozen);

  form.show();
  EXPECT_EQ(display->text(), now.toString(kFormat));
  EXPECT_TRUE(timer->isActive());
  form.hide();
}

}  // namespace
}  // namespace vrx
