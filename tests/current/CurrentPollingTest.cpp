// The polling without a window: a VRX-L2 behind the OPX adapter, in-process, on a clock that
// moves only when the tool pauses; the timer is a list of the delays it was armed with.

#include "current/CurrentPolling.h"

#include <gtest/gtest.h>

#include "sim/HeatCalculator.h"
#include "sim/OpxAdapterLine.h"
#include "support/OpxBench.h"

namespace vrx {
namespace {

struct PollingBench {
  PollingBench() {
    sim::HeatCalculatorConfig config;
    config.typeIndex = sim::HeatCalculator::TypeIndexByName("VRX-L2-2.2");
    device = std::make_unique<sim::HeatCalculator>(config);
    auto line = std::make_unique<sim::OpxAdapterLine>(*device, [this] { return pacer.now; });
    context = std::make_unique<RunContext>(
        pacer, cursor, messages, PortNaming(PortNaming::SettingLookup{}), std::move(line));
    context->connection.port.Open(1, 4800, 1500);
    tab = std::make_unique<CurrentParams>(context->connection, messages);
    polling = std::make_unique<CurrentPolling>(*context, *tab);
    polling->arm = [this](int ms) { armed.push_back(ms); };
    polling->disarm = [this] { armed.push_back(-1); };
    polling->now = [this] { return QDateTime::fromMSecsSinceEpoch(pacer.now); };
  }

  test::OpxBench<sim::HeatCalculator>::ClockPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  std::unique_ptr<sim::HeatCalculator> device;
  std::unique_ptr<RunContext> context;
  std::unique_ptr<CurrentParams> tab;
  std::unique_ptr<CurrentPolling> polling;
  std::vector<int> armed;
};

TEST(CurrentPolling, TimesReadoutsByThePathAndGivesWayToAnotherAction) {
  PollingBench bench;
  bench.polling->Start(1);
  // Below the read button's rest of 2 s: 2 s.
  EXPECT_EQ(bench.armed, std::vector<int>{0});

  // Over the cable the asleep adapter passes nothing: the failure is kept, no box is shown, and
  // the next readout is 2 s after the start of this one.
  const int64_t started = bench.pacer.now;
  bench.polling->Tick();
  const int64_t took = bench.pacer.now - started;
  ASSERT_GT(took, 0);
  ASSERT_LT(took, 2000);
  EXPECT_EQ(bench.armed.back(), 2000 - took);
  EXPECT_EQ(bench.polling->Failures().Size(), 1u);
  EXPECT_TRUE(bench.messages.All().empty());

  // Through the adapter the wake-up takes 1.5 s: the next readout is 2 s after this one ended.
  bench.tab->path = CurrentPath::Opx;
  bench.polling->Tick();
  EXPECT_EQ(bench.armed.back(), 2000);
  ASSERT_FALSE(bench.polling->AllSeries().empty());
  EXPECT_EQ(bench.polling->AllSeries().front().points.Size(), 1u);

  // A tick during another action leaves the line alone and comes again a period later.
  const size_t heard = bench.device->Heard().size();
  bench.context->RunAction([&] { bench.polling->Tick(); });
  EXPECT_EQ(bench.device->Heard().size(), heard);
  EXPECT_EQ(bench.armed.back(), 2000);
  EXPECT_EQ(bench.polling->AllSeries().front().points.Size(), 1u);

  bench.polling->Stop();
  EXPECT_EQ(bench.armed.back(), -1);
  bench.polling->Tick();
  EXPECT_EQ(bench.armed.back(), -1);
  EXPECT_EQ(bench.device->Heard().size(), heard);
}

}  // namespace
}  // namespace vrx
