#include "OperationRows.h"

#include <QTemporaryDir>

#include "calibration/TemperatureCalibration.h"
#include "iface/InterfaceSettings.h"
#include "init/InitializeDevice.h"
#include "init/ReadIniParams.h"
#include "journal/JournalKeeper.h"
#include "journal/JournalRestore.h"
#include "rq7/Rq7Readout.h"
#include "sim/EmulatedInstrument.h"

namespace vrx::bench {

namespace {

// The engineer confirms the PC time whenever asked.
class ConfirmedTime : public PcTimeConfirmation {
 public:
  bool ConfirmPcTime() override { return true; }
};

// A journal of its own in a temporary folder, keeping the connection's writes while it lives.
struct BenchJournal {
  explicit BenchJournal(Connection& connection)
      : keeper(dir.filePath(QStringLiteral("journal.sqlite"))) {
    keeper.Attach(connection);
  }
  QTemporaryDir dir;
  JournalKeeper keeper;
};

}  // namespace

void HeatCalculatorRows(BenchTable& table, Connection& c, uint32_t baud) {
  BenchJournal journal(c);
  InitWorkspace workspace(c.state);
  workspace.Start();
  ReadIniParams(workspace, c.link, c.state, c.buffer);
  PcTimeStamp stamp;
  ConfirmedTime confirmation;
  RecordingMessages messages;
  table.Traced("Initialize", baud, c.port, [&] {
    messages.Clear();
    InitializeDevice(workspace, c.link, c.state, c.buffer, stamp, confirmation, messages);
  });
  const JournalRecord record = journal.keeper.Database().List().front();
  table.Traced("Restore", baud, c.port,
               [&] { RestoreRecord(c, record, stamp, confirmation, messages); });

  // The dialog's refresh, then one sample of every channel as a check run of all channels
  // takes them (without the run's interval between them, which the engineer chooses).
  TemperatureCalibration calibration(c, messages);
  AdcSamples samples(AdcSamples::Kind::Temperature);
  table.Traced("TempAdcCodes", baud, c.port, [&] {
    const int channels = calibration.Refresh().channelCount;
    const uint16_t k = calibration.ReadCoefficient();
    for (int channel = 1; channel <= channels; ++channel)
      calibration.Sample(channel, k, samples);
  });
}

void Rq7Row(BenchTable& table, uint32_t baud) {
  auto emulator = sim::EmulatedInstrument::Start(sim::EmulatedInstrument::kRq7Name, baud);
  Connection c;
  c.port.Naming().SetOverride(1, QString::fromStdString(emulator->SlavePath()));
  c.port.Open(1, baud, 1500);
  RecordingMessages messages;
  Rq7ValuesDisplay display;
  table.Traced("Rq7Values", baud, c.port,
               [&] { ReadRq7Values(c, CurrentPath::Cable, messages, display); });
}

void InterfaceWriteRow(BenchTable& table, Connection& c, uint32_t moduleBaud) {
  BenchJournal journal(c);
  InterfaceSettings tab(c.modbus, c.modbusBuffer);
  tab.SetSpeedIndex(
      static_cast<int>(InterfaceForm::SpeedItems().indexOf(QString::number(moduleBaud))));
  tab.Read();
  table.Traced("WriteIfaceSet", moduleBaud, c.port, [&] { tab.Write(); });
}

}  // namespace vrx::bench
