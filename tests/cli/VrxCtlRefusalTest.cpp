// Input a script written in a hurry may give the companion: refused with its reason before
// anything goes to the instrument or into the journal.
#include <gtest/gtest.h>

#include <QFile>
#include <functional>

#include "cli/CtlInstrument.h"

namespace vrx {
namespace {

using test::CtlRun;
using test::Line;

// A form the tab or dialog cannot use. The message names the file (%1) and every key.
TEST(VrxCtlRefusal, FormsWithKeysTheToolCannotUseSendAndRecordNothing) {
  const QString unusable = "Недопустимые ключи или значения в файле формы \"%1\": ";
  const QString control = "Управляющие символы в файле формы \"%1\": ";
  const struct {
    const char* name;
    std::function<std::unique_ptr<sim::EmulatedInstrument>()> emulator;
    QStringList arguments;
    QByteArray form;
    QString err;  // the first line of stderr
  } cases[] = {
      {"misspelt key, channel the model lacks",
       [] { return test::Calculator("VRX-L2-2.2"); },
       {"init"},
       R"({"DevNoEdt": "7", "cdsChannels": [{"ChannelNo": "5", "Dy": "50...100"}]})",
       unusable + "DevNoEdt, cdsChannels[0]"},
      {"diameter not in the list",
       [] { return test::Calculator("VRX-L2-2.2"); },
       {"init"},
       R"({"cdsChannels": [{"ChannelNo": "1", "Dy": "1...2"}]})",
       unusable + "cdsChannels[0].Dy"},
      {"raw NUL",
       [] { return test::Calculator("VRX-L2-2.2"); },
       {"init"},
       QByteArray("{\"DevAddrEdit\": \"7\0junk\"}", 25),
       control + "DevAddrEdit"},
      {"escaped NUL in a cell",
       [] { return test::Calculator("VRX-L2-2.2"); },
       {"init"},
       R"({"cdsChannels": [{"ChannelNo": "1", "gmin": "7\u0000"}]})",
       control + "cdsChannels[0].gmin"},
      {"slider as a text, unknown slider",
       [] { return test::Calculator("VRX-L2-2.2"); },
       {"rtc", "write"},
       R"({"TrackBar1": "3", "TrackBar2": 1})",
       unusable + "TrackBar2, TrackBar1"},
      {"slider between steps",
       [] { return test::Calculator("VRX-L2-2.2"); },
       {"rtc", "write"},
       R"({"TrackBar1": 3.5})",
       unusable + "TrackBar1"},
      {"channel the model hides",
       [] { return test::Calculator("VRX-L2-2.2"); },
       {"ticks", "write"},
       R"({"TrackBar1": 2, "TrackBar3": 2})",
       unusable + "TrackBar3"},
      {"disabled and hidden counters",
       [] { return test::Calculator("VRX-L1-2.1"); },
       {"counters", "write"},
       R"({"metp1": "00012:59", "metp3": "11111:11", "meG5": "1"})",
       unusable + "metp3, meG5"},
      {"interface keys",
       test::Module,
       {"iface", "write", "--rs-baud", "9600"},
       R"({"NetNumEdt": "5", "cbRSSpeed": "115200"})",
       unusable + "NetNumEdt, cbRSSpeed"},
      {"unit keys", test::Unit, {"rq", "init"}, R"({"meAl1": "7:30"})", unusable + "meAl1"},
      {"larger than a form can be",
       [] { return test::Calculator("VRX-L2-2.2"); },
       {"init"},
       "{\"DevNoEdit\": \"" + QByteArray(1024 * 1024, '7') + "\"}",
       "cannot read %1: larger than 1048576 bytes"},
      {"a device",
       [] { return test::Calculator("VRX-L2-2.2"); },
       {"init"},
       {},
       "cannot read /dev/zero: not a regular file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Line line{c.emulator()};
    const QString form = c.form.isEmpty() ? "/dev/zero" : line.Write("form.json", c.form);
    QStringList arguments = c.arguments + QStringList{"--form", form};
    if (!arguments.contains("iface"))
      arguments << "--time-ok";
    const CtlRun run = line.Run(arguments);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err.section('\n', 0, 0), c.err.arg(form));
    EXPECT_TRUE(line.Device().Writes().empty());
    if (sim::InterfaceModule* module = line.emulator->Module()) {
      for (const std::vector<uint8_t>& frame : module->Frames())
        EXPECT_NE(frame.at(1), 0x10) << "settings written to the module";
    }
    EXPECT_FALSE(QFile::exists(line.journal)) << "a journal written";
  }
}

// Command lines that would reach another device, ignore words or take no number: refused
// before the port is opened.
TEST(VrxCtlRefusal, CommandLinesThatMeanSomethingElseAreRefused) {
  test::Instrument instrument("VRX-L13-2.2");
  const QString port = QString::fromStdString(instrument.emulator->SlavePath());
  const struct {
    QStringList arguments;
    int code;
    const char* err;  // the first line of stderr
  } cases[] = {
      {{"--port", "", "identify"}, 2, "--port expects PATH, not an empty text"},
      {{"--demo", "", "identify"}, 2, "--demo expects TYPE, not an empty text"},
      {{"--port", port, "--demo", "VRX-L13-2.2", "identify"},
       2,
       "--port and --demo exclude each other"},
      {{"--port", port, "identify", "now"}, 2, "unexpected argument: now"},
      {{"--port", port, "rq", "read", "twice"}, 2, "unexpected argument: twice"},
      {{"--port", port, "calibrate", "temp", "check", "--r", "nan"},
       2,
       "--r takes a resistance in ohms"},
      {{"--port", port, "calibrate", "temp", "check", "--r", "inf"},
       2,
       "--r takes a resistance in ohms"},
      {{"--port", port, "calibrate", "temp", "check", "--r", "-5"},
       2,
       "--r takes a resistance in ohms"},
      {{"--port", port, "current", "--every", "2147484", "--csv", "/dev/null"},
       2,
       "--every expects a whole number from 0 to 86400"},
      {{"--journal", instrument.dir.filePath("journal.sqlite"), "journal", "show", "-1"},
       1,
       "В журнале нет записи -1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    EXPECT_EQ(RunVrxCtl(QStringList{"vrxctl"} + c.arguments, outStream, errStream), c.code);
    errStream.flush();
    EXPECT_EQ(err.section('\n', 0, 0), QString::fromUtf8(c.err));
  }
  EXPECT_TRUE(instrument.Device().Heard().empty());
}

}  // namespace
}  // namespace vrx
