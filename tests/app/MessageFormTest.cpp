#include "app/MessageForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/QtPrinters.h"
#include "app/WidgetMessages.h"
#include "model/Errors.h"
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

// The sizes the dialog must have, worked out here from the dialog font's metrics.
struct Expected {
  QSize client;
  QRect icon;
  QRect message;
  std::vector<QRect> buttons;
};

int Round(int a, int b, int c) {
  return (a * b * 2 + c) / (2 * c);
}

Expected Expect(const FormCase& c) {
  const QFontMetrics fm(ToQFont(DialogFont{}));
  const int w = fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
  const int h = fm.height();
  const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
  const QSize text =
      fm.boundingRect(QRect(0, 0, halfScreen, 0), Qt::TextWordWrap | Qt::TextExpandTabs, c.text)
          .size();
  QStringList buttons = c.buttons;
  if (c.addCancel)
    buttons << "Отмена";
  int widest = 0;
  for (const QString& b : buttons)
    widest = std::max(widest, fm.horizontalAdvance(b));
  const int n = static_cast<int>(buttons.size());
  const int hm = Round(8, w, 4), vm = h, hs = Round(10, w, 4), vs = Round(10, h, 8);
  const int bw = std::max(Round(50, w, 4), widest + 8), bh = Round(14, h, 8), bg = w;
  const bool icon = c.kind != DialogKind::Custom;
  const int cw = icon ? text.width() + hs + 32 : text.width();
  const int ch = icon ? std::max(text.height(), 32) : text.height();
  const int bt = n * bw + (n - 1) * bg;
  Expected e;
  e.client = QSize(std::max(cw, bt) + 2 * hm, ch + bh + vs + 2 * vm);
  if (icon)
    e.icon = QRect(hm, vm, 32, 32);
  e.message = QRect(cw - text.width() + hm, vm, text.width(), text.height());
  for (int i = 0; i < n; ++i)
    e.buttons.emplace_back((e.client.width() - bt) / 2 + i * (bw + bg), ch + vm + vs, bw, bh);
  return e;
}

TEST(MessageFormTest, GeometryFollowsTheDialogFont) {
  const FormCase cases[] = {
      {"error", DialogKind::Error, "Нет ответа от прибора", false, {"OK"}},
      {"confirmation",
       DialogKind::Confirmation,
       "Выйти из режима инициализации?",
       false,
       {"Да", "Нет"}},
      {"custom with cancel",
       DialogKind::Custom,
       "Строка 1\nСтрока 2\tпосле табуляции",
       true,
       {"Записать с очисткой архива", "Записать"}},
  };
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.name);
    TMessageForm form(c.kind, c.text, "Заголовок", DialogFont{}, kColorButtonFace, c.addCancel, 0,
                      c.buttons);
    const Expected e = Expect(c);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Заголовок"));
    EXPECT_EQ(form.size(), e.client);
    auto* image = form.findChild<QLabel*>("Image");
    if (e.icon.isNull()) {
      EXPECT_EQ(image, nullptr);
    } else {
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(image->geometry(), e.icon);
    }
    auto* message = form.findChild<QLabel*>("Message");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), c.text);
    EXPECT_EQ(message->geometry(), e.message);
    for (size_t i = 0; i < e.buttons.size(); ++i) {
      auto* button = form.findChild<QPushButton*>(QStringLiteral("btn%1").arg(i));
      ASSERT_NE(button, nullptr) << i;
      EXPECT_EQ(button->geometry(), e.buttons[i]) << i;
    }
    EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("btn%1").arg(e.buttons.size())), nullptr);
  }
}

TEST(MessageFormTest, LongMessageWrapsAtHalfTheScreenWidth) {
  const QString text = QString("Значение вне допустимого диапазона. ").repeated(20);
  TMessageForm form(DialogKind::Warning, text, "Ошибка", DialogFont{}, kColorNone, false, 0,
                    {"OK"});
  const QRect message = form.findChild<QLabel*>("Message")->geometry();
  const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
  const QFontMetrics fm(form.font());
  EXPECT_LE(message.width(), halfScreen);
  EXPECT_GT(message.width(), halfScreen - fm.horizontalAdvance("диапазона. "));
  EXPECT_GE(message.height(), 3 * fm.height());
  EXPECT_EQ(form.width(), message.right() + 1 + form.Layout().horzMargin);
}

TEST(MessageFormTest, ShortMessageStillTakesTheIconsHeight) {
  TMessageForm form(DialogKind::Information, "OK", "Информация", DialogFont{}, kColorButtonFace,
                    false, 0, {"OK"});
  const DialogLayout& d = form.Layout();
  EXPECT_LT(form.findChild<QLabel*>("Message")->height(), 32);
  EXPECT_EQ(d.content.height(), 32);
  EXPECT_EQ(form.findChild<QPushButton*>("btn0")->y(), 32 + d.vertMargin + d.vertSpacing);
}

TEST(MessageFormTest, ProgrammingErrorsAreRaised) {
  WidgetMessages messages;
  try {
    messages.CustomDialog(DialogKind::Custom, "x", "x", std::nullopt, kColorNone, false, 0, {});
    FAIL();
  } catch (const EOwned& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Invalid buttons descriptor in CustomDlg"));
  }
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
