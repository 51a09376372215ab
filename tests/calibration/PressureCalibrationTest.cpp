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
    const std::string error = ErrorOf([&] { bench.calibration.StoreCoefficient(1, c.pmaxIndex, c.k); });
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
  for (const Case& c : {Case{0x0000, 0, 2, -4.0}, Case{0x0000, 0, 1, 0.0}, Case{0x4000, 0, 2, -2.5},
                        Case{0x1586, 950, 1, 950 * 5510 / 327680.0},
                        Case{0xFFFF, 100, 2, 100 * 16383 / 327680.0}}) {
    EXPECT_DOUBLE_EQ(PressureCalibration::PressureOf(c.word, c.code, c.inputType), c.pressure)
        << c.word << " " << c.code;
  }
}

TEST(PressureCalibrationTest, ByCurrentFromFullScaleSampleThenCheckReadsPmax) {
  PressureBench bench("VRX-L13-2.2");
  bench.Run(1, 1);
  ASSERT_EQ(bench.samples.rowCount(), 1);
  const int code = bench.samples.Rows()[0].adcCode;
  bench.calibration.CalibrateByI(1, 0, bench.samples.Rows());
  const auto k = static_cast<uint16_t>(std::nearbyint(20.0 / code * 524288));
  const uint16_t word = static_cast<uint16_t>(16u * k * 10u >> 8);
  Bytes block(16, 0xFF);
  block[0] = word & 0xFF;
  block[1] = word >> 8;
  block[8] = k & 0xFF;
  block[9] = k >> 8;
  EXPECT_EQ(bench.Writes(), std::vector<Bytes>{block});

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
