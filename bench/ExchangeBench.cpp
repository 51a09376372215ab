// Times the operations a user waits for against the emulator and compares each with the floor
// the protocol sets: the fixed pauses plus 10 bit times for every byte on the line, counted from
// the line trace of one run of the operation. Exits 1 when a median ratio exceeds the limit.
//
// The rows: IdentifyDevice and ReadSettings of a VRX-L13 (every action starts with them), the
// trace file's own times of one identification, the cable readout of the current values, an
// initialization, the restore of the record it left in the journal, a refresh of the
// temperature calibration with the ADC code of every channel, each at 4800 and 9600 baud;
// identification and the settings read once more through ser2net on the loopback interface
// (RFC 2217), where the tool adds nothing but the network's delay; the RQ-7 readout; and the
// interface module's read and write at 9600 and 38400 baud.
//
// With --startup it times the start of the window and of the companion instead (StartupBench).

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstring>

#include "BenchTable.h"
#include "LineFloor.h"
#include "OperationRows.h"
#include "StartupBench.h"
#include "current/CurrentReadout.h"
#include "sim/EmulatedInstrument.h"
#include "support/Ser2netServer.h"

namespace {

using vrx::bench::BenchTable;

// The trace's own times of identifications must agree with the floor: the first byte to the
// last of each takes no less than the line needs, and with the pause no more than the limit.
void TraceIdentifyRow(BenchTable& table, vrx::Connection& connection, uint32_t baud) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("trace.log"));
  vrx::bench::TraceToFile(connection.port, path, [&] {
    for (int i = 0; i < BenchTable::kRuns; ++i)
      connection.link.IdentifyDevice();
  });
  const vrx::bench::LineFloor floor = vrx::bench::FloorOfTrace(path);
  const double pauseMs = vrx::DeviceLink::kPauseBeforeExchangeMs;
  std::vector<double> times;
  bool agrees = floor.lineMs > 0;
  // The trace has millisecond times: the line's share may look up to 1 ms shorter.
  const double lineMs = floor.lineMs / BenchTable::kRuns;
  for (double span : vrx::bench::ExchangeSpansMs(path)) {
    agrees = agrees && span >= lineMs - 1.0;
    times.push_back(pauseMs + span);
  }
  table.Times(
      "TraceIdentify", baud, times, pauseMs + lineMs,
      agrees ? " (trace spans agree with the line)" : " (trace spans SHORTER than the line)");
  if (!agrees)
    table.Fail("the trace's times disagree with the line");
}

void NetworkRows(BenchTable& table, const std::string& slavePath, uint32_t baud) {
  if (vrx::test::Ser2netServer::Executable().isEmpty()) {
    std::printf("network rows skipped: ser2net is not installed (tools/install-deps.sh)\n");
    return;
  }
  vrx::test::Ser2netServer server(slavePath, baud);
  if (!server.Start()) {
    std::printf("ser2net did not start: %s\n", qPrintable(server.Error()));
    table.Fail("the network rows could not run");
    return;
  }
  vrx::Connection remote;
  remote.port.Naming().SetOverride(1, server.Rfc2217Address());
  remote.port.Open(1, baud, 1500);
  remote.link.IdentifyDevice();
  table.Traced("Rfc2217Ident", baud, remote.port, [&] { remote.link.IdentifyDevice(); });
  table.Traced("Rfc2217Read", baud, remote.port, [&] { remote.link.ReadSettings(); });
  remote.port.Close();
}

void HeatCalculatorTable(BenchTable& table, uint32_t baud) {
  auto emulator = vrx::sim::EmulatedInstrument::Start("VRX-L13-2.2", baud);
  vrx::Connection connection;
  connection.port.Naming().SetOverride(1, QString::fromStdString(emulator->SlavePath()));
  connection.port.Open(1, baud, 1500);
  vrx::DeviceLink& link = connection.link;
  link.IdentifyDevice();  // the layout for ReadSettings
  table.Traced("IdentifyDevice", baud, connection.port, [&] { link.IdentifyDevice(); });
  table.Traced("ReadSettings", baud, connection.port, [&] { link.ReadSettings(); });
  TraceIdentifyRow(table, connection, baud);
  vrx::RecordingMessages messages;
  vrx::CurrentDisplay display;
  table.Traced("CurrentParams", baud, connection.port, [&] {
    vrx::ReadCurrentParams(connection, vrx::CurrentPath::Cable, messages, display);
  });
  vrx::bench::HeatCalculatorRows(table, connection, baud);
  // The server opens the same pseudo-terminal: the local port lets go of it first.
  connection.port.Close();
  NetworkRows(table, emulator->SlavePath(), baud);
}

void InterfaceTable(BenchTable& table, uint32_t moduleBaud) {
  auto emulator = vrx::sim::EmulatedInstrument::Start("VRX-L13-2.2", 4800,
                                                      vrx::sim::InterfaceModuleConfig{moduleBaud});
  vrx::Connection connection;
  connection.port.Naming().SetOverride(1, QString::fromStdString(emulator->SlavePath()));
  connection.port.Open(1, 4800, 1500);
  connection.modbus.SetInterfaceBaud(moduleBaud);
  table.Traced("ReadIfaceSet", moduleBaud, connection.port,
               [&] { connection.modbus.ReadInterfaceSettings(); });
  vrx::bench::InterfaceWriteRow(table, connection, moduleBaud);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "--startup") == 0)
    return vrx::bench::RunStartup(QCoreApplication::arguments().mid(2));
  BenchTable table;
  for (uint32_t baud : {4800u, 9600u})
    HeatCalculatorTable(table, baud);
  for (uint32_t baud : {4800u, 9600u})
    vrx::bench::Rq7Row(table, baud);
  for (uint32_t moduleBaud : {9600u, 38400u})
    InterfaceTable(table, moduleBaud);
  return table.Finish();
}
