#include "calibration/PressureCalibration.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <functional>

#include "calibration/CalibrationBench.h"
#include "calibration/CheckRun.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using test::CalibrationBench;
using test::ErrorOf;
using Bytes = std::vector<uint8_t>;

Bytes Hex(const char* text) {
  const QByteArray bytes = QByteArray::fromHex(text);
  return Bytes(bytes.begin(), bytes.end());
}

struct PressureBench : CalibrationBench {
  explicit PressureBench(const char* type) : CalibrationBench(type) {}

  std::vector<Bytes> Writes() {
    std::vector<Bytes> writes;
    Channels([&](auto& channels) { writes = channels.BlockWrites(); });
    return writes;
  }
  void Run(int channel, int count) {
    calibration.PrepareCheck();
    samples.Clear();
    run.Start({channel, count, 1, calibration.Panel().channelCount},
              [this](int ch) { return calibration.Sample(ch, samples); });
    while (run.state() == CheckRun::State::Running) {
      run.Tick();
    }
  }

  PressureCalibration calibration{*line, messages};
  AdcSamples samples{AdcSamples::Kind::Pressure};
  CheckRun run{timer, line->pacer};
};

TEST(PressureCalibrationTest, StoredWordsAtTheLimitsOfEachPmax) {
  PressureBench bench("VRX-L13-2.2");
  bench.calibration.Refresh();
  struct Case {
    int pmaxIndex;
    double k;
    const char* block;  // empty: refused
  };
  for (const Case& c : {Case{0, 26214, "ff3fffffffffffff6666ffffffffffff"}, Case{0, 26215, ""},
                        Case{1, 41943, "ff7fffffffffffffd7a3ffffffffffff"}, Case{1, 41944, ""},
                        Case{2, 65535, "ffbbffffffffffffffffffffffffffff"}}) {
    const size_t before = bench.Writes().size();
    const std::string error =
        ErrorOf([&] { bench.calibration.StoreCoefficient(1, c.pmaxIndex, c.k); });
    if (*c.block == '\0') {
      EXPECT_EQ(error, "Недопустимые значения Uref и RL.") << c.k;
      EXPECT_EQ(bench.Writes().size(), before) << c.k;
    } else {
      EXPECT_EQ(error, "<no error>") << c.k;
      EXPECT_EQ(bench.Writes().back(), Hex(c.block)) << c.k;
    }
  }
  EXPECT_EQ(bench.messages.Texts().back(), "Поправочный коэффициент 1-го канала установлен");
}

TEST(PressureCalibrationTest, ByReferenceOnShortBlockStores8817WithPmaxIndexZero) {
  PressureBench bench("VRX-L2-2.1");
  bench.calibration.CalibrateByR(1, 2, "5,000", "930,00");
  // 2n bytes only: word 1 = 16 × 8817 × 10 >> 8 = 5510 with Pmax index 0; word 2 untouched.
  EXPECT_EQ(bench.Writes(), std::vector<Bytes>{Hex("8615ffff")});
}

TEST(PressureCalibrationTest, PressureOfCodeAndWord) {
  struct Case {
    uint16_t word;
    uint16_t code;
    int inputType;
    double pressure;
  };
  // 950 x 5510 / 327680 = 5234500 / 327680 = 261725 / 16384 = 15.97442626953125 (exact in
  // binary); 100 x 16383 (the low 14 bits of 0xFFFF) / 327680 = 1638300 / 327680 =
  // 4.99969482421875.
  for (const Case& c :
       {Case{0x0000, 0, 2, -4.0}, Case{0x0000, 0, 1, 0.0}, Case{0x4000, 0, 2, -2.5},
        Case{0x1586, 950, 1, 15.97442626953125}, Case{0xFFFF, 100, 2, 4.99969482421875}}) {
    EXPECT_DOUBLE_EQ(PressureCalibration::PressureOf(c.word, c.code, c.inputType), c.pressure)
        << c.word << " " << c.code;
  }
}

TEST(PressureCalibrationTest, ByCurrentFromFullScaleSampleThenCheckReadsPmax) {
  PressureBench bench("VRX-L13-2.2");
  bench.Run(1, 1);
  ASSERT_EQ(bench.samples.rowCount(), 1);
  // A 4-20 mA input at its full 20 mA gives 3806 counts, the first sample without noise.
  ASSERT_EQ(bench.samples.Rows()[0].adcCode, 3806);
  bench.calibration.CalibrateByI(1, 0, bench.samples.Rows());
  // K = 20 / 3806 x 524288 = 10485760 / 3806 = 2755.06, rounded 2755 = 0x0AC3; word 1 = 16 x
  // 2755 x 10 >> 8 = 440800 / 256 = 1721.875, rounded down 1721 = 0x06B9, with Pmax index 0;
  // the n = 4 words, then K of channel 1 at bytes 9 and 10.
  EXPECT_EQ(bench.Writes(), std::vector<Bytes>{Hex("b906ffffffffffffc30affffffffffff")});

  bench.Channels([](auto& channels) { channels.SetLoopMa(1, 4.0); });
  bench.Run(0, 1);
  ASSERT_EQ(bench.samples.rowCount(), 4);
  EXPECT_NEAR(bench.samples.Rows()[0].value, 0.0, 0.05);
  EXPECT_EQ(bench.samples.Rows()[3].channel, 4);
  EXPECT_EQ(bench.samples.index(0, 5).data().toString().contains(','), true);

  bench.calibration.SetPmax(1, 1);
  EXPECT_EQ(bench.calibration.GetPmax(1), 1);
  EXPECT_EQ(bench.messages.Texts().back(), "Pmax для 1-го канала установлен");
}

TEST(PressureCalibrationTest, EveryRefusalLeavesTheInstrumentUnwritten) {
  using Action = std::function<void(PressureBench&)>;
  struct Case {
    const char* type;
    Action action;
    const char* message;
  };
  const auto byR = [](int channel, const char* uref) {
    return [=](PressureBench& b) { b.calibration.CalibrateByR(channel, 0, uref, "930,00"); };
  };
  const Case cases[] = {
      {"VRX-L1-1.1", byR(1, "5,000"), "Только для VRX-L2 и VRX-L3"},
      {"VRX-L13-2.2", byR(0, "5,000"),
       "Не выбран канал для установки калибровочного коэффициента."},
      {"VRX-L2-1.0", byR(1, "5,000"), "Прибор не имеет каналов измерения давления."},
      {"VRX-L13-2.2", byR(1, "_,___"), "Недопустимые значения Uref и RL."},
      {"VRX-L2-2.1", [](PressureBench& b) { b.calibration.SetPmax(1, 0); },
       "Прибор не поддерживает изменение Pmax"},
      {"VRX-L13-2.2", [](PressureBench& b) { b.calibration.SetPmax(0, 0); },
       "Не выбран канал для установки Pmax."},
      {"VRX-L13-2.2", [](PressureBench& b) { b.calibration.GetPmax(0); },
       "Не выбран канал для чтения Pmax."},
      {"VRX-L13-2.2", [](PressureBench& b) { b.calibration.GetPmax(2); },
       "Канал измерения давления не откалиброван."},
      // The raw coefficient of an uncalibrated channel is 65535: too large for Pmax 10.
      {"VRX-L13-2.2", [](PressureBench& b) { b.calibration.SetPmax(3, 1); },
       "Поправочный коэффициент >= 16384"},
      {"VRX-L13-2.2",
       [](PressureBench& b) {
         b.Channels([](auto& c) { c.Arm(sim::CalibrationFault::BlockReadsDiffer); });
         b.calibration.CalibrateByR(1, 0, "5,000", "930,00");
       },
       "Ошибка приема данных с прибора"},
      {"VRX-L13-2.2",
       [](PressureBench& b) {
         b.Run(2, 1);
         b.calibration.CalibrateByI(1, 0, b.samples.Rows());
       },
       "Калибруемый канал не прочитан"},
      {"VRX-L13-2.2", [](PressureBench& b) { b.calibration.CalibrateByI(1, 0, b.samples.Rows()); },
       "Недопустимые значения Uref и RL."},
  };
  for (const Case& c : cases) {
    PressureBench bench(c.type);
    EXPECT_EQ(ErrorOf([&] { c.action(bench); }), c.message) << c.type;
    EXPECT_TRUE(bench.Writes().empty()) << c.message;
  }
}

TEST(PressureCalibrationTest, BadWriteEchoIsReported) {
  PressureBench bench("VRX-L13-2.2");
  bench.Device().Arm(sim::Fault::CorruptReply, 11);
  EXPECT_EQ(ErrorOf([&] { bench.calibration.CalibrateByR(1, 0, "5,000", "930,00"); }),
            "Ошибка приемо/передачи");
  EXPECT_EQ(bench.messages.Texts(), QStringList());
}

}  // namespace
}  // namespace vrx
