// `vrxctl current`: the readout logged to a CSV file, a failed readout included.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <memory>

#include "cli/VrxCtl.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"

namespace vrx {
namespace {

TEST(VrxCtlCurrent, LogsEveryReadoutAsACsvRowAndGoesOnAfterAFailure) {
  sim::HeatCalculatorConfig config;
  config.typeIndex = sim::HeatCalculator::TypeIndexByName("VRX-L13-2.2");
  config.clock = [] { return QDateTime(QDate(2026, 12, 9), QTime(1, 2)); };
  auto calculator = std::make_unique<sim::HeatCalculator>(config);
  // Two error lines on channel 1: a multi-line field.
  calculator->WithCurrentValues([](sim::CurrentValues& values) { values.SetBlockBits(19, 0xC0); });
  calculator->Arm(sim::Fault::WrongChecksum, 8, 1);
  sim::EmulatedInstrument emulator(std::move(calculator));
  QTemporaryDir dir;
  const QString csv = dir.filePath(QStringLiteral("log.csv"));

  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  const int code = RunVrxCtl({"vrxctl", "--port", QString::fromStdString(emulator.SlavePath()),
                              "current", "--every", "0", "--count", "3", "--csv", csv},
                             outStream, errStream);
  errStream.flush();
  EXPECT_EQ(code, 0);
  EXPECT_EQ(err, QStringLiteral("Несовпадение контрольной суммы\n"));

  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(file.readAll());
  text.replace(
      QRegularExpression(QStringLiteral("(^|\r\n)\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d,")),
      QStringLiteral("\\1T,"));
  const QString failure = QStringLiteral("\r\nT,Несовпадение контрольной суммы\r\n");
  const qsizetype header = text.indexOf(QStringLiteral("\r\n"));
  const qsizetype failed = text.indexOf(failure);
  ASSERT_GT(failed, header) << text.toStdString();
  EXPECT_TRUE(text.startsWith(QStringLiteral("time,error,stVRXType,stScheme,stNumber,")));
  // The readouts around the failure are alike: the instrument's clock stands still.
  const QString first = text.mid(header + 2, failed - header - 2);
  const QString last = text.mid(failed + failure.size());
  EXPECT_EQ(last, first + QStringLiteral("\r\n"));
  EXPECT_TRUE(first.startsWith(QStringLiteral("T,,VRX-L13-2.2,7,01234,1,Нет ошибок,\"1,391\",")))
      << first.toStdString();
  // A multi-line cell is quoted with its line ends; a hidden cell is empty.
  EXPECT_TRUE(first.contains(QStringLiteral(",\"Ошибка ПР\r\nt вне диапазона\r\n\",")));
  EXPECT_TRUE(first.contains(QStringLiteral(",1234:56,,1234:56,,1234:56,")));
}

struct Logging {
  std::unique_ptr<sim::EmulatedInstrument> emulator;
  QTemporaryDir dir;
  QString csv = dir.filePath(QStringLiteral("log.csv"));
  QString out, err;
  int code = 0;

  explicit Logging(uint32_t baud, const std::function<void(sim::HeatCalculator&)>& arm = {}) {
    sim::HeatCalculatorConfig config;
    config.baudRate = baud;
    auto calculator = std::make_unique<sim::HeatCalculator>(config);
    if (arm)
      arm(*calculator);
    emulator = std::make_unique<sim::EmulatedInstrument>(std::move(calculator));
  }
  void Run(const QStringList& arguments) {
    QTextStream outStream(&out), errStream(&err);
    code = RunVrxCtl(
        QStringList{"vrxctl", "--port", QString::fromStdString(emulator->SlavePath()), "--baud",
                    QString::number(emulator->Device().BaudRate()), "current", "--csv", csv} +
            arguments,
        outStream, errStream);
    errStream.flush();
  }
  QStringList Rows() {
    QFile file(csv);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  }
};

// The period runs from the start of one readout to the start of the next: 30 readouts a second
// apart take 29 s and the last readout.
TEST(VrxCtlCurrent, EveryKeepsAFixedPeriodFromTheStartOfEachReadout) {
  Logging log(9600);
  QElapsedTimer clock;
  clock.start();
  log.Run({"--every", "1", "--count", "30"});
  const qint64 elapsed = clock.elapsed();
  EXPECT_EQ(log.code, 0) << log.err.toStdString();
  EXPECT_GE(elapsed, 29000);
  EXPECT_LE(elapsed, 31000);
  const QStringList rows = log.Rows();
  ASSERT_EQ(rows.size(), 31);
  for (const QString& row : rows.mid(1))
    EXPECT_EQ(row.section(',', 1, 1), "") << row.toStdString();
}

// The first readout waits out a lost reply (1500 ms): the next starts at once and the row says so.
TEST(VrxCtlCurrent, AReadoutLongerThanThePeriodSaysSoInItsRow) {
  Logging log(4800, [](sim::HeatCalculator& c) { c.Arm(sim::Fault::NoReply, 8); });
  log.Run({"--every", "1", "--count", "2"});
  EXPECT_EQ(log.code, 0);
  const QStringList rows = log.Rows();
  ASSERT_EQ(rows.size(), 3);
  const QRegularExpression overrun(QStringLiteral(
      "^[^,]+,\"Нет ответа от прибора; Считывание заняло 1\\d{3} мс, дольше периода 1 с: "
      "следующее начато сразу\"$"));
  EXPECT_TRUE(overrun.match(rows[1]).hasMatch()) << rows[1].toStdString();
  EXPECT_EQ(rows[2].section(',', 1, 1), "");
}

TEST(VrxCtlCurrent, ALogThatCannotBeWrittenOrIsAnotherFileStopsTheRun) {
  Logging full(4800);
  full.csv = QStringLiteral("/dev/full");
  full.Run({"--every", "0", "--count", "3"});
  EXPECT_EQ(full.code, 1);
  EXPECT_EQ(full.err,
            "Не удалось записать в файл \"/dev/full\": No space left on device. Запись значений "
            "остановлена.\n");

  Logging other(4800);
  QFile file(other.csv);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("name;value\r\n");
  file.close();
  other.Run({"--every", "0", "--count", "1"});
  EXPECT_EQ(other.code, 2);
  EXPECT_TRUE(other.err.startsWith(other.csv + " is not a log of `vrxctl current`"));
  EXPECT_EQ(other.Rows(), QStringList{"name;value"});
  EXPECT_TRUE(other.emulator->Device().Heard().empty());
}

}  // namespace
}  // namespace vrx
