// The journal of writes through the companion: every write path leaves a record, a record is
// restored byte for byte, and the refusals send nothing.
#include <gtest/gtest.h>

#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "cli/CtlInstrument.h"
#include "journal/JournalDatabase.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"
#include "sim/Rq7Unit.h"
#include "support/QtPrinters.h"
#include "support/Rq7TestSupport.h"

namespace vrx {
namespace {

using test::CtlRun;

using test::Calculator;
using test::Module;
using test::Line;
using test::Unit;

TEST(VrxCtlJournal, EveryWriteLeavesARecordWithTheBlockBeforeAndTheOutcome) {
  struct Case {
    const char* name;
    std::function<std::unique_ptr<sim::EmulatedInstrument>()> emulator;
    QStringList arguments;
    QJsonObject form;
    const char* input;
    // Model, serial number, operation and outcome of the list's line.
    const char* record;
  };
  const Case cases[] = {
      {"init",
       [] { return Calculator("VRX-L13-2.2"); },
       {"init", "--time-ok"},
       {{"DevNoEdit", "300"}},
       "",
       "VRX-L13-2.2\t1234\tИнициализация\tЗаписано и проверено чтением"},
      {"rtc",
       [] { return Calculator("VRX-L2-2.2"); },
       {"rtc", "write", "--time-ok"},
       {{"TrackBar1", 3}},
       "",
       "VRX-L2-2.2\t1234\tКоррекция RTC\tЗаписано и проверено чтением"},
      {"ticks",
       [] { return Calculator("VRX-L1-2.1"); },
       {"ticks", "write", "--time-ok"},
       {{"TrackBar1", 3}},
       "",
       "VRX-L1-2.1\t1234\tКоррекция цены импульса\tЗаписано и проверено чтением"},
      {"counters",
       [] { return Calculator("VRX-L1-2.1"); },
       {"counters", "write", "--time-ok"},
       {{"metp1", "00012:59"}},
       "",
       "VRX-L1-2.1\t1234\tУстановка счетчиков\tЗаписано и проверено чтением"},
      {"lb threshold",
       [] { return Calculator("VRX-L3-1.0"); },
       {"service", "lb-threshold"},
       {},
       "\n",
       "VRX-L3-1.0\t1234\tПорог LB\tЗаписано и проверено чтением"},
      {"pressure",
       [] { return Calculator("VRX-L13-2.2"); },
       {"calibrate", "pressure", "by-r", "--channel", "2", "--uref", "5,000", "--rl", "930,00",
        "--pmax", "10"},
       {},
       "",
       "VRX-L13-2.2\t1234\tКалибровка давления\tЗаписано"},
      {"rq init",
       Unit,
       {"rq", "init", "--time-ok"},
       {},
       "",
       "RQ-7\t12345\tИнициализация RQ-7\tЗаписано и проверено чтением"},
      {"iface write",
       Module,
       {"iface", "write", "--rs-baud", "9600"},
       {{"NetNumEdit", "7"}},
       "",
       "Доп. интерфейс\t0\tЗапись настроек доп. интерфейса\tЗаписано"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Line line{c.emulator()};
    QStringList arguments = c.arguments;
    if (!c.form.isEmpty() || arguments.contains("init"))
      arguments << "--form" << line.Form(c.form);
    const CtlRun write = line.Run(arguments, QString::fromUtf8(c.input));
    ASSERT_EQ(write.code, 0) << write.err.toStdString();
    const QStringList records = line.Records();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].section('\t', 0, 0), "1");
    EXPECT_EQ(records[0].section('\t', 2, 2), "COM1");
    EXPECT_EQ(records[0].section('\t', 3), QString::fromUtf8(c.record));
    // The block before differs from the block written somewhere.
    EXPECT_TRUE(line.Run({"journal", "show", "1"}).out.contains('[')) << c.name;
  }
}

TEST(VrxCtlJournal, ARestoreWritesTheBlockBeforeBackAndIsRecordedItself) {
  Line line{Calculator("VRX-L13-2.2")};
  const std::vector<uint8_t> original = line.emulator->Device().Image();
  ASSERT_EQ(line.Run({"init", "--time-ok", "--form", line.Form({{"DevNoEdit", "300"}})}).code, 0);
  ASSERT_NE(line.emulator->Device().Image(), original);

  const CtlRun restore = line.Run({"journal", "restore", "1", "--time-ok"});
  ASSERT_EQ(restore.code, 0) << restore.err.toStdString();
  EXPECT_EQ(restore.out, "Запись 1 восстановлена.\n");
  std::vector<uint8_t> restored = line.emulator->Device().Image();
  // The PC time stamp of the restore aside (positions 1 to 5 of this model).
  std::copy_n(original.begin(), 5, restored.begin());
  EXPECT_EQ(restored, original);
  const QStringList records = line.Records({"--serial", "300"});
  ASSERT_EQ(records.size(), 1);
  EXPECT_EQ(records[0].section('\t', 5), "Восстановление записи 1\tЗаписано и проверено чтением");
}

TEST(VrxCtlJournal, RestoreOnAnotherInstrumentAndAnUnwritableJournalSendNothing) {
  Line line{Calculator("VRX-L13-2.2")};
  ASSERT_EQ(line.Run({"init", "--time-ok", "--form", line.Form({{"DevNoEdit", "300"}})}).code, 0);
  // Another instrument of the same model with its own number on the line.
  Line other{Calculator("VRX-L13-2.2")};
  other.UseJournal(line.journal);
  ASSERT_EQ(other.Run({"init", "--time-ok", "--form", other.Form({{"DevNoEdit", "301"}})}).code, 0);
  other.emulator->Device().ClearHeard();
  const auto writesBefore = other.emulator->Device().Writes().size();
  const CtlRun refused = other.Run({"journal", "restore", "1", "--time-ok"});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err,
            "Подключен прибор с заводским номером 301, а запись сделана для номера 1234. "
            "Восстановление отменено.\n");
  EXPECT_EQ(other.emulator->Device().Writes().size(), writesBefore);
  // On the line only the identification and the two reads of the block that give the number
  // (commands 5, 4, 4): no write command (0 or 18) and no block.
  EXPECT_EQ(other.emulator->Device().Heard(), (std::vector<uint8_t>{5, 4, 4}));

  // A journal the tool cannot write refuses the write itself. Its folder is a file here: a
  // read-only folder does not stop a test run as root.
  Line readOnly{Calculator("VRX-L13-2.2")};
  readOnly.UseJournal(readOnly.Form({}) + "/journal.sqlite");
  const CtlRun unwritable =
      readOnly.Run({"init", "--time-ok", "--form", readOnly.Form({{"DevNoEdit", "300"}})});
  EXPECT_EQ(unwritable.code, 1);
  EXPECT_TRUE(unwritable.err.startsWith("Журнал записей недоступен (" + readOnly.journal + "): "))
      << unwritable.err.toStdString();
  EXPECT_TRUE(unwritable.err.endsWith(". Запись в прибор отменена.\n"));
  EXPECT_TRUE(readOnly.emulator->Device().Writes().empty());
}

// Another program takes the journal as soon as the record of the write is in it, and holds it
// until the tool has given up storing the outcome.
TEST(VrxCtlJournal, AnOutcomeTheJournalRefusesIsSaidWithItsOwnExitCode) {
  Line line{Calculator("VRX-L13-2.2")};
  const QString form = line.Form({{"DevNoEdit", "300"}});
  std::atomic<bool> done{false};
  std::thread locker([&] {
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "locker");
      db.setDatabaseName(line.journal);
      bool locked = false;
      while (!locked && !done) {
        QSqlQuery q(db);
        if (QFile::exists(line.journal) && db.open() && q.exec("SELECT count(*) FROM writes") &&
            q.next() && q.value(0).toInt() > 0) {
          q.finish();
          locked = q.exec("BEGIN EXCLUSIVE");
        }
        QThread::msleep(2);
      }
      while (!done)
        QThread::msleep(10);
      QSqlQuery(db).exec("ROLLBACK");
      db.close();
    }
    QSqlDatabase::removeDatabase("locker");
  });
  const CtlRun write = line.Run({"init", "--time-ok", "--form", form});
  done = true;
  locker.join();

  EXPECT_EQ(write.code, 3);
  EXPECT_EQ(write.out, "Прибор проинициализирован успешно.\n");
  EXPECT_TRUE(write.err.startsWith("Журнал записей недоступен (" + line.journal + "): "))
      << write.err.toStdString();
  EXPECT_TRUE(write.err.endsWith(
      ". Результат записи в прибор (\"Записано и проверено чтением\") в нем не сохранен: запись 1 "
      "журнала осталась без результата.\n"));
  EXPECT_EQ(line.Device().Writes().size(), 1u);
  const QStringList records = line.Records();
  ASSERT_EQ(records.size(), 1);
  EXPECT_EQ(records[0].section('\t', 5), "Инициализация\tрезультат не записан");
}

// Records a damaged journal may hold, each with a block of the instrument's length filled with
// one byte; each is refused before anything is written.
TEST(VrxCtlJournal, ARestoreRefusesAnImplausibleBlockAndAnUnknownKind) {
  const struct {
    const char* name;
    std::function<std::unique_ptr<sim::EmulatedInstrument>()> emulator;
    JournalEntry record;
    char fill;
    const char* err;
  } cases[] = {
      {"settings all 0xFF",
       [] { return Calculator("VRX-L13-2.2"); },
       {JournalBlock::Settings, "Инициализация", "COM1", "", "VRX-L13-2.2", "1234", {}, {}},
       '\xFF',
       "Сохраненный блок записи 1 не годится для прибора: Неправильный номер измерительной схемы. "
       "Неправильный месяц перехода на летнюю температуру. Неправильный месяц перехода на зимнюю "
       "температуру. Неправильное значение коррекции RTC. Восстановление отменено.\n"},
      {"unit block with a digit above 9",
       Unit,
       {JournalBlock::UnitBlock, "Инициализация RQ-7", "COM1", "", "RQ-7", "12345", {}, {}},
       '\xAA',
       "Сохраненный блок записи 1 не годится для прибора: Неправильная цифра в поле BCD. "
       "Восстановление отменено.\n"},
      {"unknown kind",
       [] { return Calculator("VRX-L13-2.2"); },
       {static_cast<JournalBlock>(9), "Инициализация", "COM1", "", "VRX-L13-2.2", "1234", {}, {}},
       '\0',
       "Неизвестный вид блока в записи 1. Восстановление отменено.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Line line{c.emulator()};
    JournalEntry record = c.record;
    record.before = record.after = QByteArray(line.Device().Image().size(), c.fill);
    JournalDatabase(line.journal).Insert(record, test::At(2024, 12, 30, 10, 0));
    const CtlRun restore = line.Run({"journal", "restore", "1", "--time-ok"});
    EXPECT_EQ(restore.code, 1);
    EXPECT_EQ(restore.err, QString::fromUtf8(c.err));
    EXPECT_TRUE(line.Device().Writes().empty());
    EXPECT_EQ(line.Records().size(), 1);
  }
}

TEST(VrxCtlJournal, ListingNeitherCreatesTheJournalNorPrintsHalfOfIt) {
  Line line{Calculator("VRX-L13-2.2")};
  const CtlRun empty = line.Run({"journal", "list"});
  EXPECT_EQ(empty.code, 0);
  EXPECT_EQ(empty.out, "№\tВремя\tПорт\tМодель\tЗав. №\tОперация\tРезультат\n");
  EXPECT_FALSE(QFile::exists(line.journal));

  // A folder is no journal.
  line.UseJournal(line.dir.path());
  const CtlRun unreadable = line.Run({"journal", "list"});
  EXPECT_EQ(unreadable.code, 1);
  EXPECT_TRUE(unreadable.out.isEmpty());
  EXPECT_TRUE(unreadable.err.startsWith("Журнал записей недоступен (" + line.dir.path() + "): "));
}

}  // namespace
}  // namespace vrx
