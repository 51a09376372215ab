// `vrxctl ports` and the trace file of `--trace-file`.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "sim/EmulatedInstrument.h"
#include "support/CtlRun.h"

namespace {

using vrx::test::CtlRun;

// What a run that succeeds prints.
QString Ctl(const QStringList& arguments) {
  const CtlRun run = vrx::test::RunCtl(arguments);
  EXPECT_EQ(run.code, 0) << run.err.toStdString();
  return run.out;
}

TEST(VrxCtlPorts, ListsTheAssignmentsWithPresenceAndTheSystemDevices) {
  auto emulator = vrx::sim::EmulatedInstrument::Start("VRX-L13-2.2");
  const QString pty = QString::fromStdString(emulator->SlavePath());
  const struct {
    QStringList line;
    QString expected;
  } cases[] = {
      {{"--port", pty}, "COM1\t" + pty + "\tесть\n"},
      {{"--port", "/nonexistent/ttyUSB9"}, "COM1\t/nonexistent/ttyUSB9\tнет\n"},
      // A network server is not looked for: no connection is made.
      {{"--port", "rfc2217://192.0.2.7:2217"}, "COM1\trfc2217://192.0.2.7:2217\tсеть\n"},
      {{"--demo", "VRX-L5-2.2"}, "COM1\t/dev/pts/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line.join(' ').toStdString());
    const QString out = Ctl(c.line + QStringList{"ports"});
    EXPECT_TRUE(out.contains(c.expected)) << out.toStdString();
    // Every device line of the system's list has its five columns.
    const QStringList parts = out.split(QStringLiteral("\n\n"));
    ASSERT_EQ(parts.size(), 2);
    const QStringList devices = parts[1].split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(devices.isEmpty());
    EXPECT_EQ(devices[0], "device\tdescription\tmanufacturer\tusb_id\tserial");
    for (const QString& device : devices)
      EXPECT_EQ(device.count('\t'), 4) << device.toStdString();
  }
}

// One line per exchange: the identification is command 5, its echo and three more bytes.
TEST(VrxCtlTraceFile, WritesEveryByteOfAnExchangeOnOneLineWithTimes) {
  QTemporaryDir dir;
  const QString file = dir.filePath("trace.log");
  for (int run = 0; run < 2; ++run)
    Ctl({"--demo", "VRX-L13-2.2", "--trace-file", file, "identify"});
  QFile trace(file);
  ASSERT_TRUE(trace.open(QIODevice::ReadOnly | QIODevice::Text));
  const QStringList lines = QString::fromUtf8(trace.readAll()).split('\n', Qt::SkipEmptyParts);
  const QRegularExpression identification(
      R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} #\d+ command 5( \| \d\d:\d\d:\d\d\.\d{3} 4800 (TX|RX) [0-9A-F ]+)+$)");
  int identifications = 0;
  for (const QString& line : lines) {
    if (!line.contains(" command 5 "))
      continue;
    ++identifications;
    EXPECT_TRUE(identification.match(line).hasMatch()) << line.toStdString();
    QString sent, received;
    for (const QString& entry : line.split(QStringLiteral(" | ")).mid(1)) {
      const QString bytes = entry.section(' ', 3);
      (entry.section(' ', 2, 2) == "TX" ? sent : received) += bytes + ' ';
    }
    EXPECT_EQ(sent.trimmed(), "05");
    EXPECT_EQ(received.trimmed(), "05 0B FE 12") << line.toStdString();
  }
  // The second run appended its own.
  EXPECT_EQ(identifications, 2);
}

TEST(VrxCtlTraceFile, AFullDiskIsSaidOnceAndTheExchangesGoOn) {
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  EXPECT_EQ(
      vrx::RunVrxCtl({"vrxctl", "--demo", "VRX-L13-2.2", "--trace-file", "/dev/full", "settings"},
                     outStream, errStream),
      0);
  errStream.flush();
  outStream.flush();
  EXPECT_EQ(err,
            "Не удалось записать трассировку в файл \"/dev/full\": No space left on device. Обмен "
            "продолжается без нее.\n");
  EXPECT_EQ(out.count('\n'), 7) << "the settings image, 16 bytes a line";
}

// Two programs tracing into one file at once: every line is one exchange of one of them.
TEST(VrxCtlTraceFile, TwoProcessesKeepTheirLinesWhole) {
  QTemporaryDir dir;
  const QString file = dir.filePath("trace.log");
  QProcess processes[2];
  for (QProcess& process : processes) {
    process.start(QStringLiteral(VRXCTL_PATH),
                  {"--demo", "VRX-L13-2.2", "--trace-file", file, "current", "--every", "0",
                   "--count", "5", "--csv", dir.filePath(QString::number(process.processId()))});
  }
  for (QProcess& process : processes) {
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  }
  QFile trace(file);
  ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(trace.readAll()).split('\n', Qt::SkipEmptyParts);
  const QRegularExpression exchange(
      R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} #\d+ (command \d+|line))"
      R"(( \| \d\d:\d\d:\d\d\.\d{3} (4800 (TX|RX)( [0-9A-F]{2})+|open /dev/pts/\d+ 4800 baud))+$)");
  // Each readout: the identification, the clock block, the values block, the closing command.
  EXPECT_EQ(lines.size(), 2 * (1 + 5 * 4));
  for (const QString& line : lines)
    EXPECT_TRUE(exchange.match(line).hasMatch()) << line.toStdString();
}

TEST(VrxCtlTraceFile, AFileThatCannotBeOpenedIsAUsageError) {
  const CtlRun run = vrx::test::RunCtl(
      {"--demo", "VRX-L13-2.2", "--trace-file", "/nonexistent/dir/trace.log", "identify"});
  EXPECT_EQ(run.code, 2);
  // The file and the system's reason, then the command's usage; nothing identified.
  const QString first = run.err.section('\n', 0, 0);
  const QString prefix = "cannot open the trace file /nonexistent/dir/trace.log: ";
  EXPECT_TRUE(first.startsWith(prefix)) << run.err.toStdString();
  EXPECT_GT(first.size(), prefix.size()) << "the system's reason is missing";
  EXPECT_TRUE(run.err.contains("\nusage: vrxctl ")) << run.err.toStdString();
  EXPECT_TRUE(run.out.isEmpty());
}

}  // namespace
