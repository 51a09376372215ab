#include "app/MessageForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "app/WidgetMessages.h"
#include "support/QtPrinters.h"
#include "support/WidgetTestHelpers.h"

namespace vrx {
namespace {

struct FormCase {
  const char* name;
  DialogKind kind;
  QString text;
  bool addCancel;
  QStringList buttons;
};

// Whole pixels, halves away from zero.
int Pixels(double size) {
  return static_cast<int>(std::lround(size));
}

// W of the dialog font: the width of "A".."Z" followed by "a".."z", divided by 52.
int AverageCharWidth(const QFontMetrics& fm) {
  return fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
}

// The sizes come from two measures of the dialog font, W and H (the height of a line): margins 8/4
// W and 8/8 H, spacings 10/4 W and 10/8 H, buttons 50/4 W wide (or their widest caption + 8) and
// 14/8 H high with 4/4 W between them. The icon is 32 pixels square; the message is wrapped within
// half the screen.
TEST(MessageFormTest, ControlsSitWhereTheDialogFontPutsThem) {
  const FormCase cases[] = {
      {"error", DialogKind::Error, "Нет ответа от прибора", false, {"OK"}},
      {"custom with cancel",
       DialogKind::Custom,
       "Строка 1\nСтрока 2\tпосле табуляции",
       true,
       {"Записать с очисткой архива", "Записать"}},
      {"long",
       DialogKind::Warning,
       QString("Значение вне допустимого диапазона. ").repeated(20),
       false,
       {"OK"}},
  };
  const QFontMetrics fm(ToQFont(DialogFont{}));
  const int w = AverageCharWidth(fm);
  const int h = fm.height();
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  const int horzMargin = Pixels(2 * w);
  const int vertMargin = h;
  const int horzSpacing = Pixels(2.5 * w);
  const int vertSpacing = Pixels(1.25 * h);
  const int buttonHeight = Pixels(1.75 * h);
  const int buttonGap = w;
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.name);
    TMessageForm form(c.kind, c.text, "Заголовок", DialogFont{}, kColorButtonFace, c.addCancel, 0,
                      c.buttons);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Заголовок"));

    const bool icon = c.kind != DialogKind::Custom;
    const QSize message = fm.boundingRect(QRect(0, 0, screen.width() / 2, 0),
                                          Qt::TextWordWrap | Qt::TextExpandTabs, c.text)
                              .size();
    const QStringList captions = c.addCancel ? c.buttons + QStringList{"Отмена"} : c.buttons;
    int widest = 0;
    for (const QString& caption : captions)
      widest = std::max(widest, fm.horizontalAdvance(caption));
    const int buttonWidth = std::max(Pixels(12.5 * w), widest + 8);
    const int n = static_cast<int>(captions.size());
    const int buttonsWidth = n * buttonWidth + (n - 1) * buttonGap;
    // The icon and the message side by side, the buttons centred below them.
    const int contentWidth = icon ? 32 + horzSpacing + message.width() : message.width();
    const int contentHeight = icon ? std::max(32, message.height()) : message.height();
    const QSize client(std::max(contentWidth, buttonsWidth) + 2 * horzMargin,
                       contentHeight + vertSpacing + buttonHeight + 2 * vertMargin);
    EXPECT_EQ(form.size(), client);

    auto* image = form.findChild<QLabel*>("Image");
    EXPECT_EQ(image != nullptr, icon);
    if (image != nullptr) {
      EXPECT_EQ(image->geometry(), QRect(horzMargin, vertMargin, 32, 32));
    }
    auto* label = form.findChild<QLabel*>("Message");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), c.text);
    // Its right edge where the content ends.
    EXPECT_EQ(label->geometry(),
              QRect(QPoint(horzMargin + contentWidth - message.width(), vertMargin), message));
    // Qt's own label layout agrees that the text fits.
    EXPECT_LE(label->heightForWidth(label->width()), label->height());
    const int top = vertMargin + contentHeight + vertSpacing;
    for (int i = 0; i < n; ++i) {
      const int left = (client.width() - buttonsWidth) / 2 + i * (buttonWidth + buttonGap);
      EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("btn%1").arg(i))->geometry(),
                QRect(left, top, buttonWidth, buttonHeight))
          << "btn" << i;
    }
  }
}

TEST(MessageFormTest, LongMessagesWrapAtHalfTheScreenAndShortOnesKeepTheIconHeight) {
  const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
  TMessageForm wrapped(DialogKind::Warning, QString("Значение вне диапазона. ").repeated(20),
                       "Ошибка", DialogFont{}, kColorNone, false, 0, {"OK"});
  const QFontMetrics fm(wrapped.font());
  const QRect message = wrapped.findChild<QLabel*>("Message")->geometry();
  EXPECT_LE(message.width(), halfScreen);
  EXPECT_GT(message.width(), halfScreen - fm.horizontalAdvance("диапазона. "));
  EXPECT_GE(message.height(), 3 * fm.height());
  // The right margin is 8/4 W.
  EXPECT_EQ(wrapped.width(), message.right() + 1 + 2 * AverageCharWidth(fm));

  TMessageForm shortOne(DialogKind::Information, "OK", "Информация", DialogFont{}, kColorButtonFace,
                        false, 0, {"OK"});
  EXPECT_LT(shortOne.findChild<QLabel*>("Message")->height(), 32);
  EXPECT_EQ(shortOne.Layout().content.height(), 32);
}

// Shows a dialog through WidgetMessages and acts on it once it is up.
int RunDialog(const std::function<int(WidgetMessages&)>& show,
              const std::function<void(QWidget*)>& act) {
  WidgetMessages messages;
  auto seen = test::OnNextModal(act);
  const int result = show(messages);
  EXPECT_TRUE(*seen);
  return result;
}

void Click(QWidget* dialog, const char* name) {
  auto* button = dialog->findChild<QPushButton*>(name);
  ASSERT_NE(button, nullptr) << name;
  QTest::mouseClick(button, Qt::LeftButton);
}

TEST(MessageFormTest, CancelAndEscReturnZero) {
  const auto show = [](WidgetMessages& m) {
    return m.CustomDialog(DialogKind::Warning, "Записать?", "Подтвердите", std::nullopt,
                          kColorButtonFace, true, 0, {"Да", "Нет"});
  };
  EXPECT_EQ(RunDialog(show, [](QWidget* d) { Click(d, "btn1"); }), 2);
  EXPECT_EQ(RunDialog(show,
                      [](QWidget* d) {
                        EXPECT_EQ(d->findChild<QPushButton*>("btn2")->text(),
                                  QStringLiteral("Отмена"));
                        Click(d, "btn2");
                      }),
            0);
  EXPECT_EQ(RunDialog(show, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }), 0);
}

TEST(MessageFormTest, DefaultButtonAnswersEnter) {
  const auto show = [](WidgetMessages& m) {
    return m.CustomDialog(DialogKind::Custom, "?", "?", std::nullopt, kColorNone, false, 1,
                          {"Первая", "Вторая", "Третья"});
  };
  EXPECT_EQ(RunDialog(show,
                      [](QWidget* d) {
                        EXPECT_TRUE(d->findChild<QPushButton*>("btn1")->isDefault());
                        QTest::keyClick(d, Qt::Key_Return);
                      }),
            2);
}

TEST(MessageFormTest, ConfirmAnswersYesAndNoAndIgnoresEsc) {
  const auto confirm = [](WidgetMessages& m) { return m.Confirm("Продолжить?") ? 1 : 0; };
  EXPECT_EQ(RunDialog(confirm, [](QWidget* d) { Click(d, "btn0"); }), 1);
  EXPECT_EQ(RunDialog(confirm, [](QWidget* d) { Click(d, "btn1"); }), 0);
  EXPECT_EQ(RunDialog(confirm,
                      [](QWidget* d) {
                        EXPECT_EQ(d->windowTitle(), QStringLiteral("Подтвердите"));
                        QTest::keyClick(d, Qt::Key_Escape);
                        d->close();
                        EXPECT_TRUE(d->isVisible());
                        Click(d, "btn0");
                      }),
            1);
}

}  // namespace
}  // namespace vrx
