#include "init/views/InitTab.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <iterator>

#include "link/Pacer.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using F = ChannelField;

class InitTabViewTest : public ::testing::Test {
 protected:
  InitTabViewTest() {
    workspace_.Start();
    tab_.show();
  }

  template <typename T = QWidget>
  T* Find(const char* name) {
    T* widget = tab_.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // The user picks an item of a drop-down list.
  void Choose(const char* list, const char* item) {
    auto* box = Find<QComboBox>(list);
    const int index = box->findText(QString::fromUtf8(item));
    ASSERT_GE(index, 0) << item;
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  QModelIndex Cell(QTableView* grid, int row, ChannelField field) {
    return grid->model()->index(row, ChannelsTable::GridColumnOf(field));
  }

  // The user opens the cell's drop-down list and picks an item.
  void Pick(QTableView* grid, const QModelIndex& cell, const char* item) {
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* list = grid->viewport()->findChild<QComboBox*>(QStringLiteral("PickList"));
    ASSERT_NE(list, nullptr);
    const int index = list->findText(QString::fromUtf8(item));
    ASSERT_GE(index, 0) << item;
    list->setCurrentIndex(index);
    emit list->activated(index);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The last row of the channel table that measures flow.
  int LastFlowRow() {
    int found = -1;
    for (int row = 0; row < workspace_.cdsChannels().RowCount(); ++row) {
      if ((workspace_.cdsChannels().Row(row).Flags & 1) != 0)
        found = row;
    }
    return found;
  }

  QTemporaryDir dir_;
  RealPacer pacer_;
  PlainCursor cursor_;
  RecordingMessages messages_;
  RunContext context_{pacer_,    cursor_,
                      messages_, PortNaming(PortNaming::SettingLookup{}),
                      {},        dir_.filePath(QStringLiteral("tool.ini"))};
  InitWorkspace workspace_{context_.connection.state};
  InitTab tab_{workspace_, context_};
};

TEST_F(InitTabViewTest, ControlsShowTheStateAndTheUsersChoicesRunTheRules) {
  auto* types = Find<QComboBox>("cbDeviceType");
  EXPECT_EQ(types->count(), 34);
  EXPECT_EQ(types->currentText(), QStringLiteral("VRX-L12-1.0"));
  EXPECT_EQ(Find<QLabel>("lbDeviceType")->text(), QStringLiteral("Тип прибора:"));
  EXPECT_EQ(Find<QLabel>("lbCountingScheme")->text(), QStringLiteral("№ измерительной схемы:"));
  EXPECT_EQ(Find<QPushButton>("bbReadIniParams")->text(), QStringLiteral("Считать"));
  EXPECT_EQ(Find<QPushButton>("bbInitialize")->text(), QStringLiteral("Провести инициализацию"));
  EXPECT_EQ(Find<QCheckBox>("CheckBox1")->text(), QStringLiteral("Стирать архив"));
  EXPECT_TRUE(Find("DBGrid2")->isVisible());
  EXPECT_FALSE(Find("plN5")->isVisible());

  // A step with the arrow key is a choice of the user too.
  QTest::keyClick(types, Qt::Key_Down);
  ASSERT_NE(workspace_.Selection().type, nullptr);
  EXPECT_STREQ(workspace_.Selection().type->Name, "VRX-L12-1.1");

  Choose("cbDeviceType", "VRX-L5-1.0");
  EXPECT_FALSE(Find("DBGrid2")->isVisible());
  EXPECT_TRUE(Find("plN5")->isVisible());
  Choose("cbgth", "Нет");
  Choose("cbCountingScheme", "F15");
  auto* gth = Find<QComboBox>("cbgth");
  EXPECT_EQ(gth->currentText(), QStringLiteral("Есть"));
  EXPECT_FALSE(gth->isEnabled());
  EXPECT_TRUE(Find("plReaction")->isVisible());

  auto* third = Find<QCheckBox>("cbThirdChannel");
  EXPECT_EQ(third->text(), QStringLiteral("Включить пятый канал"));
  const int rows = Find<QTableView>("DBGrid1")->model()->rowCount();
  QTest::mouseClick(third, Qt::LeftButton);
  EXPECT_TRUE(workspace_.Controls().cbThirdChannel.checked);
  EXPECT_EQ(Find<QTableView>("DBGrid1")->model()->rowCount(), rows + 1);
  EXPECT_TRUE(messages_.All().empty());
}

TEST_F(InitTabViewTest, NumberEditsTakeDigitsAndStepWithTheArrowKeys) {
  auto* number = Find<QLineEdit>("DevNoEdit");
  number->selectAll();
  QTest::keyClicks(number, QStringLiteral("7a-,8"));
  EXPECT_EQ(workspace_.Controls().DevNoEdit.text, QStringLiteral("78"));
  QTest::keyClick(number, Qt::Key_Up);
  EXPECT_EQ(number->text(), QStringLiteral("79"));
  EXPECT_EQ(workspace_.Controls().DevNoEdit.text, QStringLiteral("79"));
  QTest::keyClick(number, Qt::Key_Backspace);
  QTest::keyClick(number, Qt::Key_Backspace);
  QTest::keyClick(number, Qt::Key_Down);
  EXPECT_EQ(workspace_.Controls().DevNoEdit.text, QStringLiteral("0"));
  number->selectAll();
  QTest::keyClicks(number, QStringLiteral("1234567"));
  EXPECT_EQ(number->text(), QStringLiteral("12345"));

  auto* address = Find<QLineEdit>("DevAddrEdit");
  address->selectAll();
  QTest::keyClicks(address, QStringLiteral("62"));
  QTest::keyClick(address, Qt::Key_Up);
  EXPECT_EQ(workspace_.Controls().DevAddrEdit.text, QStringLiteral("62"));
  QTest::keyClick(address, Qt::Key_Down);
  EXPECT_EQ(workspace_.Controls().DevAddrEdit.text, QStringLiteral("61"));
}

TEST_F(InitTabViewTest, ColdWaterEditsTakeDigitsAndSeparators) {
  const std::pair<const char*, EditState InitTabControls::*> edits[] = {
      {"winterTcwEdit", &InitTabControls::winterTcwEdit},
      {"summerTcwEdit", &InitTabControls::summerTcwEdit},
      {"tcwPressureEdit", &InitTabControls::tcwPressureEdit},
  };
  for (const auto& [name, state] : edits) {
    SCOPED_TRACE(name);
    auto* edit = Find<QLineEdit>(name);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral(" 1a.-2,e"));
    EXPECT_EQ(edit->text(), QStringLiteral("1.2,"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ((workspace_.Controls().*state).text, QStringLiteral("1.2"));
  }
}

TEST_F(InitTabViewTest, TheChannelGridShowsTheTableAndPicksReachIt) {
  Choose("cbDeviceType", "VRX-L2-1.0");
  Choose("cbCountingScheme", "6");
  auto* grid = Find<QTableView>("DBGrid1");
  QAbstractItemModel* model = grid->model();
  const ChannelsTable& table = workspace_.cdsChannels();
  EXPECT_EQ(model->objectName(), QStringLiteral("cdsChannels"));
  // Both rows (channels 1 and 2) of a fresh scheme 6 hold the defaults, worked out by hand:
  // diameter group 0 "15...40", pulse value code 1 (1 litre, "0,001 м3/имп"), the temperature
  // measured (so no agreed t to type), agreed P 5, the line test on, threshold code 1: 1 l x 3,6
  // / (16 x 1) = 0,225 m3/h, shown with two digits. The H, J test and gмин belong to the VRX-L12
  // and VRX-L13: hidden. Only the channel number and "----" cells cannot be edited.
  const struct {
    const char* title;
    bool hidden;
    const char* text;  // in both rows; none: the channel number
    bool editable;
  } columns[] = {
      {"№", false, nullptr, false},
      {"Ду", false, "15...40", true},
      {"Цена импульса", false, "0,001 м3/имп", true},
      {"Температура", false, "Измеряемая", true},
      {"Договорная t, °C", false, "----", false},
      {"Договорное P, кгс/см2", false, "5", true},
      {"Тест линии", false, "Есть", true},
      {"Тест H, J", true, "Нет", true},
      {"Расход gпор", false, "0,23", true},
      {"Расход gмин", true, "0,23", true},
  };
  ASSERT_EQ(model->columnCount(), static_cast<int>(std::size(columns)));
  ASSERT_EQ(model->rowCount(), 2);
  for (int column = 0; column < model->columnCount(); ++column) {
    const auto& expected = columns[column];
    SCOPED_TRACE(expected.title);
    EXPECT_EQ(model->headerData(column, Qt::Horizontal).toString(),
              QString::fromUtf8(expected.title));
    EXPECT_EQ(grid->isColumnHidden(column), expected.hidden);
    for (int row = 0; row < 2; ++row) {
      const QModelIndex cell = model->index(row, column);
      const QString text =
          expected.text != nullptr ? QString::fromUtf8(expected.text) : QString::number(row + 1);
      EXPECT_EQ(cell.data().toString(), text) << "row " << row;
      EXPECT_EQ((cell.flags() & Qt::ItemIsEditable) != 0, expected.editable) << "row " << row;
    }
  }
  EXPECT_TRUE(model->index(0, 0).data(Qt::FontRole).value<QFont>().bold());

  // Not the first row, so the pulse values offered must be those of the row being edited.
  const int row = LastFlowRow();
  ASSERT_GT(row, 0);
  Pick(grid, Cell(grid, row, F::Dy), "50...100");
  Pick(grid, Cell(grid, row, F::Ticks), "0,05 м3/имп");
  EXPECT_EQ(table.Row(row).Ticks, 2);
  EXPECT_EQ(Cell(grid, row, F::Ticks).data().toString(), QStringLiteral("0,05 м3/имп"));
  EXPECT_EQ(table.CurrentRow(), row);
  EXPECT_TRUE(messages_.All().empty());
}

TEST_F(InitTabViewTest, ARefusedAgreedValueFocusesTheGridAndShowsItsMessage) {
  tab_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&tab_));
  Choose("cbDeviceType", "VRX-L2-1.0");
  Choose("cbCountingScheme", "6");
  auto* grid = Find<QTableView>("DBGrid1");
  Pick(grid, Cell(grid, 0, F::PresettingTemperature), "Договорная");
  Find("DevNoEdit")->setFocus();

  EXPECT_FALSE(grid->model()->setData(Cell(grid, 0, F::TemperaturePreset), QStringLiteral("200")));
  EXPECT_EQ(messages_.Texts(),
            QStringList{"Договорное значение температуры должно быть числом от 1 до 150"});
  EXPECT_EQ(QApplication::focusWidget(), grid);
  EXPECT_EQ(workspace_.cdsChannels().Row(0).TemperaturePreset, 50);
}

TEST_F(InitTabViewTest, GridKeysNeitherAddNorRemoveRows) {
  for (const char* name : {"DBGrid1", "DBGrid2"}) {
    SCOPED_TRACE(name);
    auto* grid = Find<QTableView>(name);
    const int rows = grid->model()->rowCount();
    ASSERT_GT(rows, 1);
    const std::vector<ChannelRow> channels = workspace_.cdsChannels().Rows();
    grid->setCurrentIndex(grid->model()->index(rows - 1, 0));
    QTest::keyClick(grid, Qt::Key_Insert);
    QTest::keyClick(grid, Qt::Key_Delete);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->model()->rowCount(), rows);
    EXPECT_EQ(workspace_.cdsChannels().Rows(), channels);
    EXPECT_EQ(workspace_.cdsCircuits().RowCount(), CircuitsTable::kRowCount);
  }
  EXPECT_TRUE(messages_.All().empty());

  // The same request goes through while the program itself rebuilds the table.
  QAbstractItemModel* channels = Find<QTableView>("DBGrid1")->model();
  const int rows = channels->rowCount();
  {
    TableEditingFlag::Scope editing(workspace_.Editing());
    EXPECT_TRUE(channels->removeRows(rows - 1, 1));
  }
  EXPECT_EQ(channels->rowCount(), rows - 1);
}

}  // namespace
}  // namespace vrx
