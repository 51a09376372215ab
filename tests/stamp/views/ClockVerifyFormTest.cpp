#include "stamp/views/ClockVerifyForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "support/WidgetTestHelpers.h"

namespace vrx {
namespace {

TEST(ClockVerifyFormTest, ControlsCarryTheirTexts) {
  TClockVerifyForm form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Проверка часов"));
  const std::pair<const char*, QString> texts[] = {{"Label1", "Проверьте время!"},
                                                   {"clockDisplay", "00:00:00 00.00.00"},
                                                   {"Label3", "Это правильное время?"},
                                                   {"BitBtn1", "&Да"},
                                                   {"BitBtn2", "&Нет"}};
  for (const auto& [name, text] : texts) {
    QWidget* control = form.findChild<QWidget*>(name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(control->property("text").toString(), text) << name;
  }
  EXPECT_TRUE(form.findChild<QPushButton*>("BitBtn1")->isDefault());
}

TEST(ClockVerifyFormTest, OnlyDaConfirms) {
  const std::pair<const char*, std::function<void(QWidget*)>> answers[] = {
      {"Да", [](QWidget* w) { w->findChild<QPushButton*>("BitBtn1")->click(); }},
      {"Нет", [](QWidget* w) { w->findChild<QPushButton*>("BitBtn2")->click(); }},
      {"Esc", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }},
      {"closed", [](QWidget* w) { w->close(); }},
  };
  TClockVerifyForm form;  // reused, as the window does
  for (const auto& [name, answer] : answers) {
    SCOPED_TRACE(name);
    auto seen = test::OnNextModal(answer);
    EXPECT_EQ(form.ConfirmPcTime(), QString(name) == "Да");
    EXPECT_TRUE(*seen);
  }
}

TEST(ClockVerifyFormTest, TheDisplayFollowsTheClockOnlyWhileShown) {
  QDateTime now(QDate(2024, 12, 31), QTime(23, 59, 59));
  TClockVerifyForm form([&now] { return now; });
  auto* display = form.findChild<QLabel*>("clockDisplay");
  auto* timer = form.findChild<QTimer*>("Timer1");
  ASSERT_NE(timer, nullptr);
  EXPECT_FALSE(timer->isActive());

  form.show();
  EXPECT_EQ(display->text(), QStringLiteral("31.12.24 23:59:59"));
  now = now.addSecs(1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return display->text() == "01.01.25 00:00:00"; }, 2000));

  form.hide();
  EXPECT_FALSE(timer->isActive());
  now = now.addSecs(3600);
  QTest::qWait(2 * TClockVerifyForm::kRefreshMs);
  EXPECT_EQ(display->text(), QStringLiteral("01.01.25 00:00:00"));
}

}  // namespace
}  // namespace vrx
