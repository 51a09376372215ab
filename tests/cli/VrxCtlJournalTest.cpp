// The journal of writes through the companion: every write path leaves a record, a record is
// restored byte for byte, and the refusals send nothing.
#include <gtest/gtest.h>

#include <QJsonObject>
#include <functional>
#include <memory>

#include "cli/CtlInstrument.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"
#include "sim/Rq7Unit.h"
#include "support/QtPrinters.h"
#include "support/Rq7TestSupport.h"

namespace vrx {
namespace {

using test::CtlRun;

std::unique_ptr<sim::EmulatedInstrument> Calculator(const char* type) {
  sim::HeatCalculatorConfig config;
  config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
  return std::make_unique<sim::EmulatedInstrument>(std::make_unique<sim::HeatCalculator>(config));
}

std::unique_ptr<sim::EmulatedInstrument> Unit() {
  auto unit = std::make_unique<sim::EmulatedInstrument>(std::make_unique<sim::Rq7Unit>());
  unit->Device().SetImage(test::HandWrittenUnitBlock());
  return unit;
}

std::unique_ptr<sim::EmulatedInstrument> Module() {
  return std::make_unique<sim::EmulatedInstrument>(std::make_unique<sim::HeatCalculator>(),
                                                   sim::InterfaceModuleConfig{.baudRate = 9600});
}

// The companion against one emulated line, with the journal in a file of the test.
struct Line : test::Instrument {
  explicit Line(std::unique_ptr<sim::EmulatedInstrument> emulator)
      : Instrument(std::move(emulator)) {
    lineOptions = {"--journal", journal};
  }
  void UseJournal(const QString& path) {
    journal = path;
    lineOptions = {"--journal", journal};
  }
  QString Form(const QJsonObject& form) { return WriteForm(form); }
  // The list's lines without its titles.
  QStringList Records(const QStringList& filter = {}) {
    const CtlRun list = Run(QStringList{"journal", "list"} + filter);
    EXPECT_EQ(list.code, 0) << list.err.toStdString();
    return list.out.split('\n', Qt::SkipEmptyParts).mid(1);
  }

  QString journal = dir.filePath("journal.sqlite");
};

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

}  // namespace
}  // namespace vrx
