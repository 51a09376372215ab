#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

#include "app/QtPrinters.h"
#include "cli/VrxCtl.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"

namespace vrx {
namespace {

struct CtlRun {
  int code = 0;
  QString out;
  QString err;
};

// An emulated heat calculator that every run of `vrxctl calibrate` reaches through --port.
struct Instrument {
  explicit Instrument(const char* type) {
    sim::HeatCalculatorConfig config;
    config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
    emulator =
        std::make_unique<sim::EmulatedInstrument>(std::make_unique<sim::HeatCalculator>(config));
  }

  sim::HeatCalculator& Device() { return static_cast<sim::HeatCalculator&>(emulator->Device()); }

  CtlRun Run(QStringList arguments, QString input = {}) {
    arguments.prepend(QString::fromStdString(emulator->SlavePath()));
    arguments.prepend("--port");
    arguments.prepend("vrxctl");
    arguments.insert(3, "calibrate");
    CtlRun run;
    QTextStream in(&input, QIODevice::ReadOnly);
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = RunVrxCtl(arguments, in, out, err, [] { return QDateTime::currentDateTime(); });
    out.flush();
    err.flush();
    return run;
  }

  std::unique_ptr<sim::EmulatedInstrument> emulator;
  QTemporaryDir dir;
};

TEST(VrxCtlCalibrateTest, TemperatureAdcAsksOnTheTerminalAndARefusalSendsNothing) {
  Instrument instrument("VRX-L13-2.2");
  const CtlRun refused = instrument.Run({"temp", "adc"}, "да\nнет\n");
  EXPECT_EQ(refused.code, 2);
  const auto heard = instrument.Device().Heard();
  EXPECT_EQ(std::count(heard.begin(), heard.end(), 1), 0);

  const CtlRun done = instrument.Run({"temp", "adc", "--yes"});
  EXPECT_EQ(done.code, 0) << done.err.toStdString();
  EXPECT_TRUE(
      done.out.endsWith("Калибровка АЦП завершена успешно. Поправочный коэффициент: 65400\n"));
}

TEST(VrxCtlCalibrateTest, TemperatureCheckPrintsGridRowsAndWritesTheProtocol) {
  Instrument instrument("VRX-L2-2.1");
  const QString csv = instrument.dir.filePath("t.csv");
  const CtlRun run =
      instrument.Run({"temp", "check", "--channel", "all", "--r", "100", "--csv", csv});
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
  Instrument instrument("VRX-L13-2.2");
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
    const CtlRun run = instrument.Run(c.arguments);
    EXPECT_EQ(run.code, c.code) << c.arguments.join(' ').toStdString() << run.err.toStdString();
    EXPECT_EQ(run.out, c.out) << c.arguments.join(' ').toStdString();
  }
  std::vector<std::vector<uint8_t>> writes;
  instrument.Device().WithCalibration([&](auto& channels) { writes = channels.BlockWrites(); });
  // k = 5 / (930 × 1.023) × 524288 = 2755; word 2 = 10 × 2755 × 10 >> 8 = 1076 | 1 << 14.
  const QByteArray block = QByteArray::fromHex("ffff3444ffffffffffffc30affffffff");
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(writes[0].data()), 16), block);
}

}  // namespace
}  // namespace vrx
