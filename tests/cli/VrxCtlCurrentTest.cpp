// `vrxctl current`: the readout logged to a CSV file, a failed readout included.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
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

}  // namespace
}  // namespace vrx
