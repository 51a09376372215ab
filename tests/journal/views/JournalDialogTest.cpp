// The journal dialog over a window's context and an emulated instrument: the list and its
// filter, a record's blocks, and a restore after the confirmation.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "image/SettingsFields.h"
#include "image/SettingsImage.h"
#include "journal/JournalKeeper.h"
#include "journal/views/JournalDialog.h"
#include "sim/EmulatedInstrument.h"
#include "support/FakePortLine.h"
#include "support/ScriptedConfirmation.h"

namespace vrx {
namespace {

// Gives the instrument another device number through the write every tab uses.
void Renumber(Connection& c, uint16_t number) {
  c.link.IdentifyDevice();
  c.link.ReadSettings();
  SettingsImage image(c.buffer, c.state);
  SetDeviceNumber(image, number);
  c.link.WriteSettings(false, QStringLiteral("Инициализация"));
}

// A window's context with a journal of its own, and an emulated instrument to write to.
struct JournalBench {
  JournalBench() {
    context.timeConfirmation = &clock;
    journal.Attach(context.connection);
  }
  // Starts the instrument and opens the port to it.
  sim::EmulatedInstrument& Instrument() {
    instrument = sim::EmulatedInstrument::Start("VRX-L13-2.2", 4800, {});
    context.connection.port.Naming().SetOverride(1,
                                                 QString::fromStdString(instrument->SlavePath()));
    context.connection.port.Open(1, 4800, 1500);
    return *instrument;
  }

  QTemporaryDir dir;
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  RunContext context{
      pacer, cursor, messages, test::PlainNaming(), {}, dir.filePath(QStringLiteral("tool.ini"))};
  test::ScriptedConfirmation clock;
  JournalKeeper journal{dir.filePath(QStringLiteral("journal.sqlite"))};
  std::unique_ptr<sim::EmulatedInstrument> instrument;
};

TEST(JournalDialog, ListsFiltersShowsAndRestoresAfterTheConfirmation) {
  JournalBench bench;
  RunContext& context = bench.context;
  RecordingMessages& messages = bench.messages;
  JournalKeeper& journal = bench.journal;
  sim::EmulatedInstrument* instrument = &bench.Instrument();
  Renumber(context.connection, 300);
  const std::vector<uint8_t> numbered = instrument->Device().Image();
  Renumber(context.connection, 301);

  JournalDialog dialog(context, journal.Database());
  auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("grRecords"));
  ASSERT_EQ(grid->rowCount(), 2);
  dialog.findChild<QLineEdit*>(QStringLiteral("edSerial"))->setText(QStringLiteral("300"));
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("bnFilter")), Qt::LeftButton);
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("2"));
  auto* restore = dialog.findChild<QPushButton*>(QStringLiteral("bnRestore"));
  EXPECT_FALSE(restore->isEnabled());

  grid->selectRow(0);
  const QString details =
      dialog.findChild<QPlainTextEdit*>(QStringLiteral("mmDetails"))->toPlainText();
  EXPECT_TRUE(details.contains(QStringLiteral("Прибор: VRX-L13-2.2, заводской номер 300")));
  // The device number 300 (012c) became 301, little end first.
  EXPECT_TRUE(details.contains(QStringLiteral("[2c] 01 "))) << details.toStdString();

  // "Нет" leaves the instrument alone; "Да" writes the block back.
  messages.Answer(2);
  QTest::mouseClick(restore, Qt::LeftButton);
  EXPECT_EQ(instrument->Device().Image()[70], 0x2D);
  messages.Answer(1);
  QTest::mouseClick(restore, Qt::LeftButton);
  EXPECT_EQ(messages.Texts().last(), QStringLiteral("Запись 2 восстановлена."));
  std::vector<uint8_t> restored = instrument->Device().Image();
  // The PC time stamp of the restore aside.
  std::copy_n(numbered.begin(), 5, restored.begin());
  EXPECT_EQ(restored, numbered);
  dialog.findChild<QLineEdit*>(QStringLiteral("edSerial"))->clear();
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("bnFilter")), Qt::LeftButton);
  EXPECT_EQ(grid->rowCount(), 3);
}

// An empty journal, and a filter nothing matches, say "Записей нет"; the details hint at what
// they show until a record is chosen; the result column takes what the others leave after every
// filter.
TEST(JournalDialog, SaysWhenNoRecordMatchesAndKeepsTheResultColumnWide) {
  JournalBench bench;
  RunContext& context = bench.context;
  JournalKeeper& journal = bench.journal;
  const auto show = [&](JournalDialog& dialog, const QString& serial) {
    dialog.findChild<QLineEdit*>(QStringLiteral("edSerial"))->setText(serial);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("bnFilter")), Qt::LeftButton);
    return dialog.findChild<QLabel*>(QStringLiteral("lbNoRecords"))->isVisibleTo(&dialog);
  };
  {
    JournalDialog dialog(context, journal.Database());
    EXPECT_TRUE(show(dialog, {}));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lbNoRecords"))->text(),
              QStringLiteral("Записей нет"));
  }

  bench.Instrument();
  Renumber(context.connection, 300);
  JournalDialog dialog(context, journal.Database());
  dialog.resize(900, 600);
  dialog.show();
  auto* details = dialog.findChild<QPlainTextEdit*>(QStringLiteral("mmDetails"));
  EXPECT_TRUE(details->toPlainText().isEmpty());
  EXPECT_TRUE(details->placeholderText().startsWith(QStringLiteral("Выберите запись")));
  auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("grRecords"));
  for (const QString& serial : {QStringLiteral("999"), QStringLiteral("1234"), QString()}) {
    SCOPED_TRACE(serial.toStdString());
    EXPECT_EQ(show(dialog, serial), serial == QLatin1String("999"));
    const int last = grid->columnCount() - 1;
    EXPECT_EQ(grid->horizontalHeader()->sectionViewportPosition(last) +
                  grid->horizontalHeader()->sectionSize(last),
              grid->viewport()->width());
  }
}

}  // namespace
}  // namespace vrx
