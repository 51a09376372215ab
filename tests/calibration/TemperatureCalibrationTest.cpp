#include "calibration/TemperatureCalibration.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QTemporaryDir>
#include <cmath>

#include "calibration/AdcSamples.h"
#include "calibration/CalibrationBench.h"
#include "calibration/CalibrationProtocol.h"
#include "calibration/CheckRun.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using test::CalibrationBench;
using test::ErrorOf;

// A temperature check as the dialog runs it: K once, then one sample per tick.
struct TemperatureCheck {
  explicit TemperatureCheck(CalibrationBench& bench)
      : bench(bench),
        calibration(*bench.line, bench.messages),
        samples(AdcSamples::Kind::Temperature),
        run(bench.timer, bench.line->pacer) {}

  void Start(int channel, int count, double reference = 100.0) {
    const TemperaturePanel& panel = calibration.Refresh();
    const uint16_t k = calibration.ReadCoefficient();
    samples.Clear();
    samples.SetThreshold(panel.threshold);
    samples.SetReference(reference);
    run.Start({channel, count, 1, panel.channelCount},
              [this, k](int ch) { return calibration.Sample(ch, k, samples); });
  }

  CalibrationBench& bench;
  TemperatureCalibration calibration;
  AdcSamples samples;
  CheckRun run;
};

TEST(TemperatureCalibrationTest, CoefficientRangeAndResistanceFormula) {
  struct Case {
    uint16_t k;
    bool accepted;
  };
  for (const Case& c : {Case{65341, false}, Case{65342, true}, Case{65534, true},
                        Case{65535, false}, Case{0, false}}) {
    EXPECT_EQ(TemperatureCalibration::CoefficientAccepted(c.k), c.accepted) << c.k;
  }
  // The full product 65535 × 65535 still fits 32 bits: the full scale comes out exactly.
  EXPECT_EQ(TemperatureCalibration::Resistance(65535, 65535, 796.84), 796.84);
  EXPECT_EQ(TemperatureCalibration::Resistance(65535, 65535, 160.27), 160.27);
  EXPECT_EQ(TemperatureCalibration::Resistance(0, 65535, 796.84), 0.0);
}

TEST(TemperatureCalibrationTest, PanelFollowsFamilyRangeAndThermometerClass) {
  struct Case {
    const char* type;
    const char* sensor;
    const char* delta;
    const char* jitter;
    int channels;
  };
  for (const Case& c :
       {Case{"VRX-L1-1.2", "W = 1,385", "Погрешность R = 0,097 Ом", "Джиттер R = ± 0,015 Ом", 4},
        Case{"VRX-L2-1.0", "W = 1,391", "Погрешность R = 0,019 Ом", "Джиттер R = ± 0,0035 Ом",
             2}}) {
    CalibrationBench bench(c.type);
    TemperatureCalibration calibration(*bench.line, bench.messages);
    const TemperaturePanel& panel = calibration.Refresh();
    EXPECT_EQ(panel.model, c.type);
    EXPECT_EQ(panel.sensor, c.sensor);
    EXPECT_EQ(panel.deltaLabel, c.delta);
    EXPECT_EQ(panel.jitterLabel, c.jitter);
    EXPECT_EQ(panel.channelCount, c.channels);
  }
}

TEST(TemperatureCalibrationTest, CalibrationAsksTwiceAndJudgesTheCoefficient) {
  CalibrationBench bench("VRX-L13-2.2");
  TemperatureCalibration calibration(*bench.line, bench.messages);
  ASSERT_TRUE(calibration.Calibrate());
  EXPECT_EQ(bench.messages.Texts(),
            QStringList({"Вы действительно хотите произвести калибровку АЦП?",
                         "Подключите магазин сопротивления и установите R = 796,84 Ом.\n"
                         "Начать калибровку?",
                         "Калибровка АЦП завершена успешно. Поправочный коэффициент: 65400"}));

  bench.Channels(
      [](auto& channels) { channels.Arm(sim::CalibrationFault::CoefficientOutOfRange); });
  EXPECT_EQ(ErrorOf([&] { calibration.Calibrate(); }),
            "Ошибка калибровки.\r\nПолучен неправильный коэффициент: 65341.");

  // Declined at the second question: command 1 is never sent.
  bench.Device().ClearHeard();
  bench.messages.Answer(1);
  bench.messages.Answer(2);
  EXPECT_FALSE(calibration.Calibrate());
  EXPECT_EQ(bench.Device().Heard().back(), 4);  // the settings read of the refresh
}

TEST(TemperatureCalibrationTest, AllChannelsRunTakesCountSamplesOfEachInOrderOnVrxL1) {
  CalibrationBench bench("VRX-L1-2.1");
  bench.Channels([](auto& channels) {
    for (int ch = 1; ch <= 4; ++ch) {
      channels.SetRefOhms(ch, 100.0 + 20 * ch);
    }
  });
  TemperatureCheck check(bench);
  check.Start(0, 3);
  while (check.run.state() == CheckRun::State::Running) {
    check.run.Tick();
  }
  ASSERT_EQ(check.samples.rowCount(), 12);
  for (int row = 0; row < 12; ++row) {
    const auto& sample = check.samples.Rows()[static_cast<size_t>(row)];
    const int channel = row / 3 + 1;
    EXPECT_EQ(sample.recNo, row + 1);
    EXPECT_EQ(sample.channel, channel);
    // High byte first without an echo: a wrong order would miss by far more than the noise.
    EXPECT_NEAR(sample.value, 100.0 + 20 * channel, 0.02) << row;
  }
  EXPECT_EQ(bench.timer.interval, 1000);
  EXPECT_FALSE(bench.timer.active);
}

TEST(TemperatureCalibrationTest, SingleChannelRunOfOneStopsAfterTheImmediateSample) {
  CalibrationBench bench("VRX-L13-2.2");
  TemperatureCheck check(bench);
  check.Start(2, 1);
  EXPECT_EQ(check.samples.rowCount(), 1);
  EXPECT_EQ(check.run.state(), CheckRun::State::Idle);
  EXPECT_NEAR(check.samples.Rows()[0].value, 100.0, 0.02);
}

TEST(TemperatureCalibrationTest, DroppedReplyShowsStatusAndRunGoesOnOtherErrorsEndIt) {
  CalibrationBench bench("VRX-L13-2.2");
  TemperatureCheck check(bench);
  bench.Device().Arm(sim::Fault::NoReply, 16, 1);
  check.Start(3, 3);
  check.run.Tick();
  EXPECT_EQ(check.run.Status(), "Нет ответа от прибора");
  EXPECT_EQ(check.samples.rowCount(), 1);
  check.run.TogglePause();
  EXPECT_EQ(check.run.state(), CheckRun::State::Paused);
  EXPECT_FALSE(bench.timer.active);
  check.run.TogglePause();
  check.run.Tick();
  check.run.Tick();
  EXPECT_EQ(check.samples.rowCount(), 3);
  EXPECT_EQ(check.run.state(), CheckRun::State::Idle);

  check.Start(1, 5);
  bench.Device().Arm(sim::Fault::WrongEcho, 2);
  EXPECT_EQ(ErrorOf([&] { check.run.Tick(); }), "Ошибка приемо/передачи");
  EXPECT_EQ(check.run.state(), CheckRun::State::Idle);
}

TEST(TemperatureCalibrationTest, ReferenceEditRecomputesRowsAndOnlyAboveThresholdAlarms) {
  AdcSamples samples(AdcSamples::Kind::Temperature);
  samples.SetThreshold(0.097);
  samples.SetReference(0);
  samples.Append(1, QDateTime::currentDateTime(), 1, 1, 0.097);
  samples.Append(1, QDateTime::currentDateTime(), 1, 1, 0.0971);
  samples.Append(1, QDateTime::currentDateTime(), 1, 1, -0.0971);
  const auto alarm = [&](int row) { return samples.index(row, 6).data(AdcSamples::kAlarmRole); };
  EXPECT_EQ(alarm(0), false);
  EXPECT_EQ(alarm(1), true);
  EXPECT_EQ(alarm(2), true);
  EXPECT_EQ(samples.index(1, 6).data().toString(), "0,0971");

  samples.SetReference(0.1);
  EXPECT_EQ(samples.index(0, 6).data().toString(), "-0,0030");
  EXPECT_EQ(samples.index(2, 6).data().toString(), "-0,1971");
  EXPECT_EQ(alarm(1), false);
}

TEST(TemperatureCalibrationTest, ProtocolFileHoldsHeaderAndRowsAsShown) {
  AdcSamples samples(AdcSamples::Kind::Temperature);
  samples.SetReference(100);
  const QDateTime time(QDate(2026, 12, 9), QTime(1, 2, 3));
  samples.Append(2, time, 8237, 65400, 100.0123);
  QTemporaryDir dir;
  const QString path = dir.filePath("p.csv");
  WriteProtocol(path, {{"Дата", "09.12.2026"}, {"K", "65400"}}, samples);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(file.readAll()).split('\n'),
            QStringList({"Дата;09.12.2026", "K;65400", "",
                         "№ изм.;№ канала;Время;Код АЦП;Попр. коэф.;Rизм (Ом);Погр. R (Ом)",
                         "1;2;01:02:03;8237;65400;100,0123;0,0123", ""}));
  EXPECT_TRUE(ErrorOf([&] {
                WriteProtocol(dir.filePath("no/such/p.csv"), {}, samples);
              }).starts_with("Не удалось записать протокол в файл "));
}

}  // namespace
}  // namespace vrx
