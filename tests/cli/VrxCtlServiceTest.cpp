// The companion's commands of the tab "Сервис" and its dialogs, against emulated instruments
// that outlive the runs.
#include <gtest/gtest.h>

#include "cli/CtlInstrument.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using test::CtlRun;
using test::Instrument;

std::vector<uint8_t> Bytes(const std::vector<uint8_t>& image, int position, int count) {
  return {image.begin() + position - 1, image.begin() + position - 1 + count};
}

TEST(VrxCtlService, RtcReadAndWrite) {
  Instrument device("VRX-L2-2.2");
  const CtlRun read = device.Run({"rtc", "read"});
  EXPECT_EQ(read.code, 0) << read.err.toStdString();
  EXPECT_EQ(read.out,
            "{\n    \"Label2\": \"-21\",\n    \"Label3\": \"+19\",\n    \"TrackBar1\": 4,\n"
            "    \"l1\": \"4 сек/сутки\",\n    \"stDeviceType\": \"VRX-L2, VRX-L3\"\n}\n");
  const CtlRun write =
      device.Run({"rtc", "write", "--time-ok", "--form", device.WriteForm({{"TrackBar1", -40}})});
  EXPECT_EQ(write.code, 0) << write.err.toStdString();
  EXPECT_EQ(write.out, "Автокоррекция RTC установлена.\n");
  // The slider stops at its left end.
  EXPECT_EQ(Bytes(device.Device().Image(), 49, 1), std::vector<uint8_t>{0x60});
}

TEST(VrxCtlService, RefusedClockAndRefusedInstrumentWriteNothing) {
  Instrument l1("VRX-L1-2.1");
  const QString form = l1.WriteForm({{"TrackBar1", 3}});
  const CtlRun refused = l1.Run({"ticks", "write", "--form", form}, "нет\n");
  EXPECT_EQ(refused.code, 2);
  EXPECT_TRUE(refused.out.contains("Это правильное время?"));
  Instrument l13("VRX-L13-2.2");
  const CtlRun unsupported = l13.Run({"ticks", "write", "--time-ok", "--form", form});
  EXPECT_EQ(unsupported.code, 1);
  EXPECT_EQ(unsupported.err, "Прибор не поддерживает коррекцию цены имульса.\n");
  EXPECT_TRUE(l1.Device().Writes().empty() && l13.Device().Writes().empty());
}

TEST(VrxCtlService, CountersAsTheFieldsShowThem) {
  Instrument device("VRX-L1-2.1");
  const CtlRun write = device.Run(
      {"counters", "write", "--time-ok", "--erase", "--form",
       device.WriteForm({{"metp1", "00012:59"}, {"metp3", "----"}, {"meG5", QJsonValue()}})});
  EXPECT_EQ(write.code, 0) << write.err.toStdString();
  EXPECT_EQ(write.out, "Счетчики установлены\n");
  EXPECT_EQ(Bytes(device.Device().Image(), 26, 12),
            (std::vector<uint8_t>{0x59, 0x12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(device.Device().ArchiveErasures(), 1);
  const QJsonObject read =
      QJsonDocument::fromJson(device.Run({"counters", "read"}).out.toUtf8()).object();
  EXPECT_EQ(read.value("metp1"), "00012:59");
  EXPECT_EQ(read.value("metp3"), "----");
  EXPECT_TRUE(read.value("metp5").isNull());

  const CtlRun minutes = device.Run(
      {"counters", "write", "--time-ok", "--form", device.WriteForm({{"metp2", "00012:75"}})});
  EXPECT_EQ(minutes.code, 1);
  EXPECT_EQ(minutes.err, "Введите значение минут в диапазоне 0-59 в поле \"tp2\"\n");
}

// What a dialog prints, hidden and disabled controls included, is a form it takes back.
TEST(VrxCtlService, APrintedDialogWritesBackWithoutARefusal) {
  for (const char* dialog : {"rtc", "ticks", "counters"}) {
    for (const char* type : {"VRX-L1-2.1", "VRX-L2-2.2"}) {
      SCOPED_TRACE(std::string(dialog) + " " + type);
      Instrument device(type);
      const CtlRun read = device.Run({dialog, "read"});
      ASSERT_EQ(read.code, 0) << read.err.toStdString();
      const CtlRun write = device.Run(
          {dialog, "write", "--time-ok", "--form", device.Write("read.json", read.out.toUtf8())});
      EXPECT_EQ(write.code, 0) << write.err.toStdString();
      EXPECT_EQ(device.Device().Writes().size(), 1u);
    }
  }
}

TEST(VrxCtlService, ServiceCommands) {
  Instrument l3("VRX-L3-1.0");
  static_cast<sim::HeatCalculator&>(l3.Device()).SetSupply(0xC000);
  const CtlRun supply = l3.Run({"service", "supply"});
  EXPECT_EQ(supply.out, "Пониженное\n");
  const CtlRun lb = l3.Run({"service", "lb-threshold"}, "\n");
  EXPECT_EQ(lb.code, 0) << lb.err.toStdString();
  EXPECT_EQ(lb.out,
            "Установите напряжение питания равным 3,2В\n"
            "Порог ниже минимального. Установлено минимальное значение\n");
  const CtlRun exit = l3.Run({"service", "exit-init"});
  EXPECT_EQ(std::make_pair(exit.code, exit.err), std::make_pair(1, QString("Только для VRX-L1\n")));

  Instrument l1("VRX-L1-1.2");
  EXPECT_EQ(l1.Run({"service", "exit-init"}).out,
            "Выход из режима инициализации произведен успешно\n");
  EXPECT_EQ(static_cast<sim::HeatCalculator&>(l1.Device()).InitModeExits(), 1);
}

}  // namespace
}  // namespace vrx
