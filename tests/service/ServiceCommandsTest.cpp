// The commands of the tab "Сервис": the LB threshold arithmetic as tables, each command once
// against an emulated instrument, and the supply result's timer on a virtual clock.
#include "service/ServicePanel.h"

#include <gtest/gtest.h>

#include "service/ServiceBench.h"
#include "sim/Faults.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using test::ErrorOf;
using test::ServiceBench;

const char* const kBelow = "Порог ниже минимального. Установлено минимальное значение";
const char* const kAbove = "Порог выше максимального. Установлено максимальное значение";
const char* const kSet = "Порог срабатывания LB установлен";

TEST(LbThreshold, StepsOfReadings) {
  const struct {
    uint16_t reading;
    bool pmax;
    int step;
    const char* text;
  } cases[] = {{0xD600, false, 0, kSet},    {0xC800, false, -3, kSet}, {0xCA00, false, -2, kSet},
               {0xC000, false, -3, kBelow}, {0xE300, false, 3, kSet},  {0xF000, false, 3, kAbove},
               {0xC800, true, 0, kBelow},   {0xCD00, true, 0, kSet},   {0xE300, true, 3, kSet},
               {0xFFFF, true, 3, kAbove}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reading);
    const lb::Step step = lb::StepOfReading(c.reading, c.pmax);
    EXPECT_EQ(step.step, c.step);
    EXPECT_EQ(step.text, QString::fromUtf8(c.text));
  }
}

TEST(LbThreshold, ByteAndCode) {
  const struct {
    uint8_t before;
    int step;
    bool pmax;
    uint8_t after;
    uint16_t code;
  } cases[] = {{0xFF, 0, false, 0x0F, 0xD600}, {0x1F, -3, false, 0xEF, 0xCA00},
               {0x05, 2, false, 0x45, 0xDE00}, {0xFF, 1, true, 0xEF, 0xD700},
               {0x00, 3, true, 0x18, 0xE300},  {0x00, -1, false, 0xA0, 0xD200}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.after);
    EXPECT_EQ(lb::WithStep(c.before, c.step, c.pmax), c.after);
    EXPECT_EQ(lb::ThresholdCode(c.after, c.pmax), c.code);
  }
  // With bit 4 set the base holds whatever bits 5 to 7 say.
  EXPECT_EQ(lb::ThresholdCode(0xF0, false), 0xD600);
}

// Timer1 of the tab on a virtual clock: it fires when `now` passes its deadline.
struct VirtualTimer : ServicePanel::Timer {
  int now = 0;
  std::optional<int> deadline;
  void Restart(int ms) override { deadline = now + ms; }
  void Stop() override { deadline.reset(); }
  void Advance(ServicePanel& panel, int ms) {
    now += ms;
    if (deadline && now >= *deadline)
      panel.Timer1Timer();
  }
};

TEST(ServicePanel, SupplyResultOfEachKindAndItsTimer) {
  const struct {
    const char* type;
    uint16_t supply;
    const char* lbByte;  // at the layout's entry 5, when set
    const char* shown;
  } cases[] = {{"VRX-L2-2.2", 0, nullptr, "Норма"},
               {"VRX-L12-2.2", 1, nullptr, "Пониженное"},
               // Bit 4: 0xD600 whatever bits 5-7 hold.
               {"VRX-L3-1.0", 0xD5FF, "F0", "Пониженное"},
               {"VRX-L3-1.0", 0xD600, "F0", "Норма"},
               // Pmax format, step 3: 0xE300.
               {"VRX-L13-2.2", 0xE2FF, "18", "Пониженное"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    ServiceBench bench(c.type);
    bench.Device().SetSupply(c.supply);
    if (c.lbByte != nullptr)
      bench.Patch(QString(c.type).startsWith("VRX-L13") ? 87 : 85, c.lbByte);
    VirtualTimer timer;
    ServicePanel panel(bench.Link(), timer);
    panel.bnLoBattClick();
    EXPECT_EQ(panel.stLB, QString::fromUtf8(c.shown));
  }

  ServiceBench bench("VRX-L2-2.2");
  VirtualTimer timer;
  ServicePanel panel(bench.Link(), timer);
  panel.bnLoBattClick();
  timer.Advance(panel, 3000);
  panel.bnLoBattClick();  // restarts the 4000 ms
  timer.Advance(panel, 3999);
  EXPECT_EQ(panel.stLB, "Норма");
  timer.Advance(panel, 1);
  EXPECT_EQ(panel.stLB, "");
  EXPECT_FALSE(timer.deadline.has_value());
}

TEST(ServicePanel, ExitsInitializationModeOfAVrxL1) {
  ServiceBench bench("VRX-L1-2.2");
  VirtualTimer timer;
  ServicePanel panel(bench.Link(), timer);
  panel.bnInitExitClick(bench.messages);
  EXPECT_EQ(bench.Device().InitModeExits(), 1);
  EXPECT_EQ(bench.messages.Texts(),
            QStringList{"Выход из режима инициализации произведен успешно"});
}

// Each command refuses the models it does not apply to, with nothing sent after identifying.
TEST(ServicePanel, RefusesOtherModels) {
  const struct {
    const char* type;
    std::function<void(ServicePanel&, ServiceBench&)> click;
    const char* message;
  } cases[] = {
      {"VRX-L3-1.0", [](ServicePanel& p, ServiceBench& b) { p.bnInitExitClick(b.messages); },
       "Только для VRX-L1"},
      {"VRX-L1-1.1", [](ServicePanel& p, ServiceBench&) { p.bnLoBattClick(); },
       "Только для VRX-L2 и VRX-L3"},
      {"VRX-L2-2.2", [](ServicePanel& p, ServiceBench& b) { p.bnLoBattLimitClick(b.Write()); },
       "Только для VRX-L3"},
      {"VRX-L1-2.2", [](ServicePanel& p, ServiceBench& b) { p.bnLoBattLimitClick(b.Write()); },
       "Только для VRX-L3"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ServiceBench bench(c.type);
    VirtualTimer timer;
    ServicePanel panel(bench.Link(), timer);
    EXPECT_EQ(ErrorOf([&] { c.click(panel, bench); }), c.message);
    EXPECT_EQ(bench.Device().Heard(), std::vector<uint8_t>{5});
    EXPECT_TRUE(bench.messages.Texts().isEmpty());
  }
}

TEST(ServicePanel, SetsTheLbThreshold) {
  ServiceBench bench("VRX-L3-1.0");
  bench.Patch(85, "1F");
  bench.Patch(78, "25");  // a clock correction the instrument cannot work with
  bench.Device().SetSupply(0xC800);
  VirtualTimer timer;
  ServicePanel panel(bench.Link(), timer);
  const std::string expected = bench.Expected({{85, "EF"}});
  panel.bnLoBattLimitClick(bench.Write());
  EXPECT_EQ(bench.ImageHex(), expected);
  EXPECT_EQ(bench.messages.Texts(),
            QStringList({"Установите напряжение питания равным 3,2В", kSet,
                         "Неправильное значение коррекции RTC.\r\nПрибор не будет работать."}));
  EXPECT_EQ(bench.confirmation.asked, 0);  // no time stamp

  // A reading that fails leaves the instrument as it was.
  bench.messages.Clear();
  bench.Device().Arm(sim::Fault::WrongEcho, 3);
  EXPECT_EQ(ErrorOf([&] { panel.bnLoBattLimitClick(bench.Write()); }), "Ошибка приемо/передачи");
  EXPECT_EQ(bench.Device().Writes().size(), 1u);
}

}  // namespace
}  // namespace vrx
