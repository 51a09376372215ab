#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "init/InitWorkspace.h"
#include "init/ReadIniParams.h"
#include "init/WorkspaceForm.h"
#include "support/CtlRun.h"
#include "support/EmulatedLink.h"

namespace {

using vrx::test::CtlRun;

CtlRun Ctl(const QStringList& arguments) {
  return vrx::test::RunCtl(arguments);
}

TEST(VrxCtl, IdentifyPrintsOneKeyValueLineEach) {
  const CtlRun run = Ctl({"--demo", "VRX-L12-1.1", "identify"});
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  EXPECT_EQ(run.out,
            "type=VRX-L12-1.1\n"
            "type_index=24\n"
            "family_code=8\n"
            "version_byte=F9\n"
            "sub_version=21\n"
            "supports_pmax=1\n"
            "low_type_code=0\n"
            "type_byte10=0\n");
  EXPECT_TRUE(run.err.isEmpty());
}

TEST(VrxCtl, IdentifyWorksAtNineThousandSixHundredBaud) {
  const CtlRun run = Ctl({"--demo", "VRX-L2-1.0", "--baud", "9600", "identify"});
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.startsWith("type=VRX-L2-1.0\n"));
}

TEST(VrxCtl, SettingsPrintsTheImageSixteenBytesALine) {
  const CtlRun run = Ctl({"--demo", "VRX-L2-1.0", "settings"});
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
  // A VRX-L2 image is 57 bytes: three full lines and one of nine.
  ASSERT_EQ(lines.size(), 4);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(lines[i].split(' ').size(), 16);
  EXPECT_EQ(lines[3].split(' ').size(), 9);
  for (const QString& line : lines) {
    for (const QString& byte : line.split(' ')) {
      EXPECT_EQ(byte.size(), 2);
      EXPECT_EQ(byte, byte.toUpper());
    }
  }
}

TEST(VrxCtl, RqIdentifyPrintsTheSubVersion) {
  const CtlRun run = Ctl({"--demo", "RQ-7", "rq-identify"});
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "sub_version=21\n");
}

TEST(VrxCtl, FailuresPrintTheMessageAloneAndExitOne) {
  const struct {
    QStringList arguments;
    const char* message;
  } cases[] = {
      {{"--port", "/nonexistent/tty", "identify"}, "COM-порт не открыт\n"},
      {{"--demo", "VRX-L13-2.2", "rq-identify"}, "Подключенный прибор не RQ-7\n"},
  };
  for (const auto& c : cases) {
    const CtlRun run = Ctl(c.arguments);
    EXPECT_EQ(run.code, 1) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(run.err, QString::fromUtf8(c.message));
    EXPECT_TRUE(run.out.isEmpty());
  }
}

// What the companion printed for the emulator's default instruments when these files were
// recorded: a change of the output shows here first.
TEST(VrxCtl, PrintsWhatWasRecordedForTheDefaultInstruments) {
  const QString golden = QStringLiteral(VRX_CLI_GOLDEN_DIR "/");
  const struct {
    QStringList arguments;
    const char* file;
  } cases[] = {
      {{"--demo", "VRX-L13-2.2", "settings"}, "VRX-L13-2.2-settings.txt"},
      {{"--demo", "VRX-L1-2.1", "settings"}, "VRX-L1-2.1-settings.txt"},
      {{"--demo", "VRX-L13-2.2", "init", "--time-ok", "--form", golden + "device-number.json"},
       "VRX-L13-2.2-init.txt"},
      {{"--demo", "VRX-L1-2.1", "init", "--time-ok", "--form", golden + "device-number.json"},
       "VRX-L1-2.1-init.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    QFile file(golden + c.file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const CtlRun run = Ctl(c.arguments);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QString::fromUtf8(file.readAll()));
  }
}

TEST(VrxCtl, HelpPrintsUsageToStdoutAndExitsZero) {
  const CtlRun general = Ctl({"--help"});
  EXPECT_EQ(general.code, 0);
  EXPECT_TRUE(general.err.isEmpty());
  for (const char* synopsis : {"  identify\n", "  settings [--json]\n", "  rq-identify\n",
                               "  init --form FILE [--erase] [--time-ok] [--exit-init]\n"})
    EXPECT_TRUE(general.out.contains(QString::fromUtf8(synopsis))) << synopsis;

  const CtlRun init = Ctl({"init", "--help"});
  EXPECT_EQ(init.code, 0);
  EXPECT_TRUE(init.out.startsWith(
      "usage: vrxctl [--port PATH | --com N] [--baud 4800|9600] "
      "[--demo TYPE] [--trace] [--trace-file FILE] [--journal FILE] init --form FILE"));
  EXPECT_TRUE(init.out.contains("--exit-init"));
}

TEST(VrxCtl, WrongCommandLinesExitTwo) {
  const QStringList cases[] = {
      {"frobnicate"},
      {},
      {"--baud", "1200", "identify"},
      {"--com", "0", "identify"},
      {"--com", "2", "--port", "/dev/null", "identify"},
      {"--demo", "VRX-L99", "identify"},
  };
  for (const QStringList& arguments : cases) {
    EXPECT_EQ(Ctl(arguments).code, 2) << arguments.join(' ').toStdString();
  }
}

}  // namespace

namespace {

using vrx::sim::HeatCalculator;

// `settings --json` prints what "Считать" puts on the first tab, for the same instrument: the
// companion's emulator and this test's one are both the type's default instrument.
QJsonObject FormAfterReading(int typeIndex) {
  vrx::sim::HeatCalculatorConfig config;
  config.typeIndex = typeIndex;
  const auto line = vrx::test::EmulatedLink::HeatCalculator(config);
  vrx::InitWorkspace workspace(line->state);
  workspace.Start();
  vrx::ReadIniParams(workspace, line->link, line->state, line->buffer);
  return vrx::ToForm(workspace);
}

class VrxCtlSettingsJson : public testing::TestWithParam<const char*> {};

TEST_P(VrxCtlSettingsJson, PrintsTheFormOfTheFirstTabAfterReading) {
  const CtlRun run = Ctl({"--demo", GetParam(), "settings", "--json"});
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  QJsonParseError error{};
  const QJsonDocument printed = QJsonDocument::fromJson(run.out.toUtf8(), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("\n    \"cbDeviceType\": \""));
  EXPECT_EQ(printed.object(), FormAfterReading(HeatCalculator::TypeIndexByName(GetParam())));
  EXPECT_EQ(printed.object().value("cbDeviceType").toString(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(EachModel, VrxCtlSettingsJson,
                         testing::Values("VRX-L1-2.1", "VRX-L2-1.2", "VRX-L3-2.0", "VRX-L5-2.2",
                                         "VRX-L12-1.1", "VRX-L13-2.2"));

TEST(VrxCtl, JsonBelongsToTheSettingsCommand) {
  EXPECT_EQ(Ctl({"--demo", "VRX-L2-1.0", "--json", "identify"}).code, 2);
}

}  // namespace
