#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>

#include "sim/EmulatedInstrument.h"
#include "sim/Rq7Unit.h"
#include "support/CtlRun.h"
#include "support/QtPrinters.h"
#include "support/Rq7TestSupport.h"

namespace vrx {
namespace {

using test::CtlRun;

// One emulated RQ-7 unit that every run of the companion talks to through --port.
struct Unit {
  sim::EmulatedInstrument emulator{std::make_unique<sim::Rq7Unit>()};
  QTemporaryDir dir;

  Unit() { emulator.Device().SetImage(test::HandWrittenUnitBlock()); }

  CtlRun Run(QStringList arguments, const QString& input = {}) {
    return test::RunCtl(
        QStringList{"--port", QString::fromStdString(emulator.SlavePath())} + arguments, input,
        test::NewYearsEve);
  }

  QString FormFile(QJsonObject form) {
    const QString path = dir.filePath("form.json");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(form).toJson());
    return path;
  }
};

TEST(VrxCtlRq, InitAppliesTheFormOnTheBlockReadOrRefusesWithTheChecksMessages) {
  Unit unit;
  const CtlRun read = unit.Run({"rq", "read"});
  ASSERT_EQ(read.code, 0) << read.err.toStdString();
  QJsonObject form = QJsonDocument::fromJson(read.out.toUtf8()).object();
  EXPECT_EQ(form.value("meV1").toString(), "00012345,6789");
  EXPECT_EQ(form.value("rgErr21").toString(), "Акт - 1");
  EXPECT_EQ(form.value("TrackBar1").toInt(), 15);

  const CtlRun failed = unit.Run(
      {"rq", "init", "--time-ok", "--form", unit.FormFile({{"meV1l", "0"}, {"meV2h", "6000"}})});
  EXPECT_EQ(failed.code, 1);
  EXPECT_EQ(failed.err,
            "Ошибка диапазона расхода 1к.\nОшибка диапазона расхода 2к.\nОшибка цены импульса "
            "1к.\n");
  EXPECT_TRUE(unit.emulator.Device().Writes().empty());

  const CtlRun refusedTime = unit.Run({"rq", "init", "--form", unit.FormFile({})}, "нет\n");
  EXPECT_EQ(refusedTime.code, 2);
  EXPECT_TRUE(unit.emulator.Device().Writes().empty());

  form["cbErr6"] = false;
  form["TrackBar1"] = -20;
  const CtlRun done =
      unit.Run({"rq", "init", "--time-ok", "--exit-init", "--form", unit.FormFile(form)});
  EXPECT_EQ(done.code, 0) << done.err.toStdString();
  EXPECT_EQ(done.out, "Прибор проинициализирован успешно. Выйти из режима инициализации?\n");
  std::vector<uint8_t> expected = test::HandWrittenUnitBlock();
  std::copy_n(std::vector<uint8_t>{0x59, 0x23, 0x31, 0x12, 0x24}.begin(), 5, expected.begin());
  expected[72] = 0x20;
  ASSERT_EQ(unit.emulator.Device().Writes().size(), 1u);
  EXPECT_EQ(test::HexOf(unit.emulator.Device().Writes()[0].data), test::HexOf(expected));
  EXPECT_EQ(static_cast<sim::Rq7Unit&>(unit.emulator.Device()).InitModeExits(), 1);

  const CtlRun wrongKey = unit.Run({"rq", "init", "--form", unit.FormFile({{"meAl1", "7:30"}})});
  EXPECT_EQ(wrongKey.code, 2);
  EXPECT_TRUE(wrongKey.err.endsWith("\": meAl1\n")) << wrongKey.err.toStdString();
}

}  // namespace
}  // namespace vrx
