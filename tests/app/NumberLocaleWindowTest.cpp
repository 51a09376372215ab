// Without a system locale (C.UTF-8, as in a bare container) every number of "Текущие параметры"
// and of the first tab takes the decimal comma of the fixed Russian texts beside them. The test
// main fixes Russian, so this test sets the locale as the program does at start; ctest runs it
// once under LC_ALL=C.UTF-8 (app_number_locale_c).

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "app/MainForm.h"
#include "model/NumberLocale.h"
#include "support/DemoRun.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

// Every text the page shows: labels, edits, lists and the cells of its grids.
QStringList ShownTexts(const QWidget& page) {
  QStringList texts;
  for (const QLabel* label : page.findChildren<QLabel*>())
    texts << label->text();
  for (const QLineEdit* edit : page.findChildren<QLineEdit*>())
    texts << edit->text();
  for (const QComboBox* list : page.findChildren<QComboBox*>()) {
    for (int i = 0; i < list->count(); ++i)
      texts << list->itemText(i);
  }
  for (const QAbstractItemView* grid : page.findChildren<QAbstractItemView*>()) {
    const QAbstractItemModel* model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row) {
      for (int column = 0; column < model->columnCount(); ++column)
        texts << model->index(row, column).data().toString();
    }
  }
  return texts;
}

// The decimal numbers among the words of the texts ("0,001", "12.5"; not dates or type names).
QStringList DecimalNumbers(const QStringList& texts) {
  static const QRegularExpression number(QStringLiteral("^[-+]?\\d+[.,]\\d+$"));
  QStringList numbers;
  for (const QString& text : texts) {
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")))) {
      if (number.match(word).hasMatch())
        numbers << word;
    }
  }
  return numbers;
}

TEST(NumberLocaleWindow, WithoutASystemLocaleEveryNumberTakesTheDecimalComma) {
  if (QLocale::system().language() != QLocale::C)
    GTEST_SKIP() << "the system locale is " << QLocale::system().name().toStdString()
                 << "; ctest runs this under LC_ALL=C.UTF-8 (app_number_locale_c)";
  const QLocale testLocale;
  QLocale::setDefault(NumberLocale(QLocale::system()));

  test::DemoRun run(QStringLiteral("VRX-L13-2.2"));
  TMainForm form(run.context, {});
  for (const char* read : {"bbReadIniParams", "bnReadCurParams"})
    QTest::mouseClick(form.findChild<QPushButton*>(QString::fromLatin1(read)), Qt::LeftButton);
  ASSERT_TRUE(run.messages.All().empty()) << run.messages.Texts().join('\n').toStdString();

  for (const char* page : {"TabSheet1", "CurrentTab"}) {
    SCOPED_TRACE(page);
    const QStringList numbers =
        DecimalNumbers(ShownTexts(*form.findChild<QWidget*>(QString::fromLatin1(page))));
    // Pulse values, diameters, temperatures, pressures and thresholds on the first tab; heat,
    // mass, volume and the measured values on the other.
    EXPECT_GE(numbers.size(), 10);
    EXPECT_EQ(numbers.filter(QStringLiteral(".")), QStringList())
        << numbers.join(' ').toStdString();
  }
  QLocale::setDefault(testLocale);
}

}  // namespace
}  // namespace vrx
