#include <gtest/gtest.h>

#include <QRegularExpression>

#include "cli/CtlInstrument.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

// `vrxctl calibrate ...` against the instrument.
test::CtlRun Calibrate(test::Instrument& instrument, QStringList arguments,
                       const QString& input = {}) {
  arguments.prepend("calibrate");
  return instrument.Run(arguments, input);
}

sim::HeatCalculator& Calculator(test::Instrument& instrument) {
  return static_cast<sim::HeatCalculator&>(instrument.Device());
}

TEST(VrxCtlCalibrateTest, TemperatureAdcAsksOnTheTerminalAndARefusalSendsNothing) {
  test::Instrument instrument("VRX-L13-2.2");
  const test::CtlRun refused = Calibrate(instrument, {"temp", "adc"}, "да\nнет\n");
  EXPECT_EQ(refused.code, 2);
  EXPECT_FALSE(instrument.Heard(1));

  const test::CtlRun done = Calibrate(instrument, {"temp", "adc", "--yes"});
  EXPECT_EQ(done.code, 0) << done.err.toStdString();
  EXPECT_TRUE(
      done.out.endsWith("Калибровка АЦП завершена успешно. Поправочный коэффициент: 65400\n"));
}

TEST(VrxCtlCalibrateTest, TemperatureCheckPrintsGridRowsAndWritesTheProtocol) {
  test::Instrument instrument("VRX-L2-2.1");
  const QString csv = instrument.dir.filePath("t.csv");
  const test::CtlRun run =
      Calibrate(instrument, {"temp", "check", "--channel", "all", "--r", "100", "--csv", csv});
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);  // titles and one row of each of the two channels
  EXPECT_EQ(lines[0], "№ изм.\t№ канала\tВремя\tКод АЦП\tПопр. коэф.\tRизм (Ом)\tПогр. R (Ом)");
  EXPECT_EQ(lines[2].section('\t', 0, 1), "2\t2");
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList protocol = QString::fromUtf8(file.readAll()).split('\n');
  EXPECT_EQ(protocol[1], "Модель;VRX-L2-2.1");
  EXPECT_EQ(protocol.filter(QRegularExpression("^[12];")).size(), 2);
}

TEST(VrxCtlCalibrateTest, PressureCommandsWriteTheBlockAndReadPmaxBack) {
  test::Instrument instrument("VRX-L13-2.2");
  struct Case {
    QStringList arguments;
    int code;
    const char* out;
  };
  const Case cases[] = {
      {{"pressure", "by-r", "--channel", "2", "--uref", "5,000", "--rl", "930,00", "--pmax", "10"},
       0,
       "Поправочный коэффициент 2-го канала установлен\n"},
      {{"pressure", "get-pmax", "--channel", "2"}, 0, "10\n"},
      {{"pressure", "get-pmax", "--channel", "1"}, 1, ""},
      {{"pressure", "set-pmax", "--channel", "2", "--pmax", "7"}, 2, ""},
      {{"pressure", "by-r", "--channel", "9", "--uref", "5", "--rl", "930"}, 2, ""},
  };
  for (const Case& c : cases) {
    const test::CtlRun run = Calibrate(instrument, c.arguments);
    EXPECT_EQ(run.code, c.code) << c.arguments.join(' ').toStdString() << run.err.toStdString();
    EXPECT_EQ(run.out, c.out) << c.arguments.join(' ').toStdString();
  }
  std::vector<std::vector<uint8_t>> writes;
  Calculator(instrument).WithCalibration([&](auto& channels) { writes = channels.BlockWrites(); });
  // k = 5 / (930 × 1.023) × 524288 = 2755; word 2 = 10 × 2755 × 10 >> 8 = 1076 | 1 << 14.
  const QByteArray block = QByteArray::fromHex("ffff3444ffffffffffffc30affffffff");
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(writes[0].data()), 16), block);
}

}  // namespace
}  // namespace vrx
