#include "app/MessageForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

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

// What the geometry is computed from, measured here in the dialog font.
DialogMetrics Measure(const FormCase& c) {
  const QFontMetrics fm(ToQFont(DialogFont{}));
  DialogMetrics m;
  m.averageCharWidth =
      fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
  m.textHeight = fm.height();
  m.screen = QGuiApplication::primaryScreen()->geometry().size();
  m.message = fm.boundingRect(QRect(0, 0, m.screen.width() / 2, 0),
                              Qt::TextWordWrap | Qt::TextExpandTabs, c.text)
                  .size();
  const QStringList buttons = c.addCancel ? c.buttons + QStringList{"Отмена"} : c.buttons;
  for (const QString& b : buttons)
    m.widestButton = std::max(m.widestButton, fm.horizontalAdvance(b));
  m.buttonCount = static_cast<int>(buttons.size());
  m.hasIcon = c.kind != DialogKind::Custom;
  return m;
}

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
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.name);
    TMessageForm form(c.kind, c.text, "Заголовок", DialogFont{}, kColorButtonFace, c.addCancel, 0,
                      c.buttons);
    const DialogLayout d = ComputeDialogLayout(Measure(c));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Заголовок"));
    EXPECT_EQ(form.size(), d.client);
    auto* image = form.findChild<QLabel*>("Image");
    EXPECT_EQ(image != nullptr, c.kind != DialogKind::Custom);
    if (image != nullptr) {
      EXPECT_EQ(image->geometry(), QRect(d.horzMargin, d.vertMargin, 32, 32));
    }
    auto* message = form.findChild<QLabel*>("Message");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), c.text);
    EXPECT_EQ(message->geometry(), d.message);
    for (size_t i = 0; i < d.buttons.size(); ++i)
      EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("btn%1").arg(i))->geometry(),
                d.buttons[i]);
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
  EXPECT_EQ(wrapped.width(), message.right() + 1 + wrapped.Layout().horzMargin);

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
