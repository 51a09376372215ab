// Every tab and dialog with numeric fields: a letter typed into a numeric field is left out, and
// a value the write refuses is refused naming its field.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>

#include "app/MainForm.h"
#include "init/ChannelsTable.h"
#include "support/DemoRun.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using FindField = std::function<QLineEdit*(QWidget& window)>;

FindField Named(const char* name) {
  return
      [name](QWidget& window) { return window.findChild<QLineEdit*>(QString::fromLatin1(name)); };
}

// The editor of a numeric cell of the channel grid, opened.
FindField ThresholdCell() {
  return [](QWidget& window) {
    // The first tab's grid: the calibration dialogs have a "DBGrid1" of their own.
    auto* grid = window.findChild<QWidget*>(QStringLiteral("TabSheet1"))
                     ->findChild<QTableView*>(QStringLiteral("DBGrid1"));
    const QModelIndex cell =
        grid->model()->index(0, ChannelsTable::GridColumnOf(ChannelField::gmin));
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    return qobject_cast<QLineEdit*>(grid->indexWidget(cell));
  };
}

TEST(NumericFieldsWindow, LettersAreLeftOutAndARefusedValueNamesItsField) {
  const struct {
    const char* demo;
    const char* read;    // the button that fills the tab or dialog first, if any
    const char* dialog;  // the dialog the field is on, shown first; nullptr: a tab
    FindField field;
    const char* typed;
    const char* shown;
    const char* write;  // the button that writes the value, if it is one the write refuses
    const char* message;
  } cases[] = {
      {"VRX-L13-2.2", "bbReadIniParams", nullptr, Named("DevNoEdit"), "7x0000", "70000",
       "bbInitialize", "Номер прибора должен быть числом от 0 до 65535."},
      {"VRX-L13-2.2", "bbReadIniParams", nullptr, Named("tcwPressureEdit"), "1x,5", "1,5", nullptr,
       nullptr},
      {"VRX-L13-2.2", "bbReadIniParams", nullptr, ThresholdCell(), "0,x5", "0,5", nullptr, nullptr},
      {"VRX-L13-2.2", "Button5", nullptr, Named("SerNumEdit"), "7x0000", "70000", "Button4",
       "Поле \"Заводской номер\": число должно быть от 0 до 65535"},
      {"VRX-L13-2.2", "Button5", nullptr, Named("VRXTimeOutEdit"), "x", "", "Button4",
       "Поле \"Время ожидания ответа\" не заполнено"},
      {"VRX-L13-2.2", nullptr, "CountersForm", Named("metp1"), "0001x275", "00012:75", "bnWrite",
       "Введите значение минут в диапазоне 0-59 в поле \"tp1\""},
      {"VRX-L13-2.2", nullptr, "TFormCalibrTempr", Named("edR"), "1x00,5", "100,5", nullptr,
       nullptr},
      {"VRX-L13-2.2", nullptr, "TformCalibrPressure", Named("edCount"), "x3", "3", nullptr,
       nullptr},
      {"VRX-L13-2.2", "bnJournal", "fmJournal", Named("edSerial"), "12x3", "123", nullptr, nullptr},
      {"RQ-7", "bbRQRead", nullptr, Named("meV1h"), "1x0", "10", nullptr, nullptr},
      {"RQ-7", "bbRQRead", nullptr, Named("meV1l"), "x", "", "bbRQInitialize",
       "Поле \"Мин. расход V1\" не заполнено"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.demo) + " " + c.typed);
    test::DemoRun run(QString::fromLatin1(c.demo));
    StartupOptions options;
    options.service = true;
    TMainForm form(run.context, options);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    if (c.read != nullptr)
      form.findChild<QPushButton*>(QString::fromLatin1(c.read))->click();
    QWidget* on = &form;
    if (c.dialog != nullptr) {
      on = form.findChild<QWidget*>(QString::fromLatin1(c.dialog));
      ASSERT_NE(on, nullptr);
      on->show();
    }
    ASSERT_TRUE(run.messages.Texts().isEmpty()) << run.messages.Texts().join('\n').toStdString();

    QLineEdit* field = c.field(*on);
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->setCursorPosition(0);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QString::fromUtf8(c.typed));
    EXPECT_EQ(field->displayText(), QString::fromUtf8(c.shown));

    if (c.write != nullptr) {
      on->findChild<QPushButton*>(QString::fromLatin1(c.write))->click();
      EXPECT_EQ(run.messages.Texts(), QStringList{QString::fromUtf8(c.message)});
    }
    if (c.dialog != nullptr)
      on->close();
  }
}

}  // namespace
}  // namespace vrx
