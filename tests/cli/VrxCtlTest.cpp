#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <ostream>

#include "support/CtlRun.h"
#include "support/QtPrinters.h"

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
      {{"--port", "/nonexistent/tty", "identify"},
       "COM-порт не открыт\n/nonexistent/tty: нет такого устройства. Подключен ли адаптер? "
       "Устройство порта выбирается в «Порты…».\n"},
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
  for (const char* synopsis :
       {"  identify\n", "  settings [--json] [--pdf FILE] [--check TEMPLATE]\n", "  rq-identify\n",
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

// `settings --json` of the emulator's default instruments. The whole form is compared with the
// one recorded in golden/TYPE-settings.json (the window's tests compare the same output with what
// "Считать" puts on the tab); what follows was worked out by hand from each default image
// (`vrxctl --demo TYPE settings`). Every one of them holds the serial number 1234 (bytes D2 04),
// address 1, cold water 15 and 5 degrees at 3 kgf/cm2 (0x96, 0x32, 0x1E: tenths), summer time
// from April to October (months byte 0xA4: 4 and 10). The scheme byte is a list position: 0x10 in
// the VRX-L1 list is scheme 17, 5 in the VRX-L2/L12 list scheme 6, 6 in the VRX-L3/L5/L13 list
// scheme 7. The channel rows are those whose three bits of the scheme's flags are not all clear:
// 0x10000E3F (scheme 17) channels 1, 2 and 4, 0x1200005F (scheme 6) 1, 2 and 3, 0x300011DF
// (scheme 7) 1, 2, 3 and 5.
struct JsonCase {
  const char* type;
  const char* scheme;
  QStringList channels;
};

void PrintTo(const JsonCase& c, std::ostream* os) {
  *os << c.type;
}

class VrxCtlSettingsJson : public testing::TestWithParam<JsonCase> {};

TEST_P(VrxCtlSettingsJson, PrintsTheFormOfTheFirstTabAfterReading) {
  const JsonCase& c = GetParam();
  const CtlRun run = Ctl({"--demo", c.type, "settings", "--json"});
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  QJsonParseError error{};
  const QJsonObject printed = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("\n    \"cbDeviceType\": \""));

  QFile recorded(QStringLiteral(VRX_CLI_GOLDEN_DIR "/%1-settings.json").arg(c.type));
  ASSERT_TRUE(recorded.open(QIODevice::ReadOnly)) << recorded.fileName().toStdString();
  EXPECT_EQ(printed, QJsonDocument::fromJson(recorded.readAll()).object());

  EXPECT_EQ(printed.value("cbDeviceType").toString(), c.type);
  EXPECT_EQ(printed.value("cbCountingScheme").toString(), c.scheme);
  EXPECT_EQ(printed.value("DevNoEdit").toString(), "1234");
  EXPECT_EQ(printed.value("DevAddrEdit").toString(), "1");
  EXPECT_EQ(printed.value("summerTcwEdit").toString(), "15");
  EXPECT_EQ(printed.value("winterTcwEdit").toString(), "5");
  EXPECT_EQ(printed.value("tcwPressureEdit").toString(), "3");
  EXPECT_EQ(printed.value("cbSummerDst").toString(), "Апрель");
  EXPECT_EQ(printed.value("cbWinterDst").toString(), "Октябрь");
  QStringList channels;
  for (const QJsonValue& row : printed.value("cdsChannels").toArray())
    channels << row.toObject().value("ChannelNo").toString();
  EXPECT_EQ(channels, c.channels);
}

INSTANTIATE_TEST_SUITE_P(EachModel, VrxCtlSettingsJson,
                         testing::Values(JsonCase{"VRX-L1-2.1", "17", {"1", "2", "4"}},
                                         JsonCase{"VRX-L2-1.2", "6", {"1", "2", "3"}},
                                         JsonCase{"VRX-L3-2.0", "7", {"1", "2", "3", "5"}},
                                         JsonCase{"VRX-L5-2.2", "7", {"1", "2", "3", "5"}},
                                         JsonCase{"VRX-L12-1.1", "6", {"1", "2", "3"}},
                                         JsonCase{"VRX-L13-2.2", "7", {"1", "2", "3", "5"}}));

TEST(VrxCtl, JsonBelongsToTheSettingsCommand) {
  EXPECT_EQ(Ctl({"--demo", "VRX-L2-1.0", "--json", "identify"}).code, 2);
}

}  // namespace
