// `vrxctl iface read|write` against one emulated instrument with an interface module that
// outlives the runs.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"
#include "support/CtlRun.h"

namespace vrx {
namespace {

using test::CtlRun;

struct ModuleLine {
  sim::EmulatedInstrument emulator{std::make_unique<sim::HeatCalculator>(),
                                   sim::InterfaceModuleConfig{.baudRate = 9600}};
  QTemporaryDir dir;
  int forms = 0;

  CtlRun Run(QStringList arguments) {
    return test::RunCtl(QStringList{"--port", QString::fromStdString(emulator.SlavePath())} +
                        arguments + QStringList{"--rs-baud", "9600"});
  }
  QString Form(const QByteArray& json) {
    const QString path = dir.filePath(QStringLiteral("form%1.json").arg(++forms));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(json);
    return path;
  }
  size_t Writes() {
    size_t writes = 0;
    for (const auto& frame : emulator.Module()->Frames())
      writes += frame[1] == 0x10;
    return writes;
  }
};

TEST(VrxCtlIface, WriteThenReadPrintsTheTab) {
  ModuleLine line;
  const CtlRun write = line.Run(
      {"iface", "write", "--form", line.Form(R"({"NetNumEdit": "7", "ObjIDEdit": "Котельная №3",
                                   "VRXTimeOutEdit": "1000", "cbModemEnable": false})")});
  ASSERT_EQ(write.code, 0) << write.err.toStdString();
  EXPECT_TRUE(write.out.isEmpty());

  const CtlRun read = line.Run({"iface", "read"});
  ASSERT_EQ(read.code, 0) << read.err.toStdString();
  const QJsonObject expected = {{"NetNumEdit", "7"},        {"SerNumEdit", "0"},
                                {"VRXTimeOutEdit", "990"},  {"ObjIDEdit", "Котельная №3"},
                                {"ModemStrEdit", "ATS0=2"}, {"VersionEdit", "1.4"},
                                {"IspEdit", "2.1"},         {"cbAutoSleep", false},
                                {"cbModemEnable", false},   {"cbRSSpeed", "9600"}};
  EXPECT_EQ(QJsonDocument::fromJson(read.out.toUtf8()).object(), expected);
}

TEST(VrxCtlIface, RefusalsSendNoWrite) {
  struct Case {
    const char* label;
    QStringList arguments;
    int code;
    const char* err;
  };
  ModuleLine line;
  const Case cases[] = {
      {"character outside Windows-1251",
       {"iface", "write", "--form", line.Form(R"({"ModemStrEdit": "AT☃"})")},
       1,
       "Поле \"Строка инициализации модема\" содержит символ \"☃\", которого нет в кодировке "
       "Windows-1251\n"},
      {"not an integer",
       {"iface", "write", "--form", line.Form(R"({"SerNumEdit": "12a"})")},
       1,
       "Поле \"Заводской номер\": \"12a\" не является целым числом\n"},
      {"unreadable form", {"iface", "write", "--form", line.dir.filePath("none.json")}, 2, ""},
      {"unknown action", {"iface", "erase"}, 2, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const CtlRun run = line.Run(c.arguments);
    EXPECT_EQ(run.code, c.code);
    if (c.code == 1) {
      EXPECT_EQ(run.err.toStdString(), c.err);
    }
  }
  EXPECT_EQ(line.Writes(), 0u);
}

}  // namespace
}  // namespace vrx
