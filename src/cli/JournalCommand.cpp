#include "cli/CliCommand.h"
#include "cli/ConsoleMessages.h"
#include "cli/ConsoleTimeConfirmation.h"
#include "iface/InterfaceForm.h"
#include "journal/JournalRestore.h"
#include "journal/JournalText.h"
#include "model/Errors.h"

namespace vrx {

namespace {

const char* const kNoRecord = "В журнале нет записи %1";
const char* const kRestored = "Запись %1 восстановлена.";

JournalRecord RecordOf(CliRun& run) {
  bool ok = false;
  const qlonglong id = run.Words().value(1).toLongLong(&ok);
  if (run.Words().size() != 2 || !ok)
    throw UsageError(QStringLiteral("expected a record number"));
  const std::optional<JournalRecord> record = run.Journal().Find(id);
  if (!record)
    throw EOwned(QString::fromUtf8(kNoRecord).arg(id));
  return *record;
}

int List(CliRun& run) {
  if (run.Words().size() != 1)
    throw UsageError(QStringLiteral("list takes no arguments"));
  // Read whole before a line is printed: a journal that cannot be read prints nothing but why.
  const std::vector<JournalRecord> records =
      run.Journal().List(run.Value("serial"), run.Value("model"));
  run.out << journal_text::ListTitles().join(QLatin1Char('\t')) << '\n';
  for (const JournalRecord& record : records)
    run.out << journal_text::ListLine(record) << '\n';
  return kExitDone;
}

int Restore(CliRun& run) {
  const JournalRecord record = RecordOf(run);
  if (run.IsSet("rs-baud")) {
    if (!InterfaceForm::SpeedItems().contains(run.Value("rs-baud")))
      throw UsageError(QStringLiteral("--rs-baud expects 4800, 9600, 19200 or 38400"));
  }
  Connection& connection = run.Connect();
  connection.modbus.SetInterfaceBaud(run.IsSet("rs-baud") ? run.Value("rs-baud").toUInt()
                                                          : InterfaceForm().InterfaceBaud());
  PcTimeStamp stamp(run.clock);
  PresetTimeConfirmation preset;
  ConsoleTimeConfirmation asked(run.in, run.out, run.clock);
  ConsoleMessages messages(run.out, run.err, false);
  RestoreRecord(connection, record, stamp,
                run.IsSet("time-ok") ? static_cast<PcTimeConfirmation&>(preset) : asked, messages);
  run.out << QString::fromUtf8(kRestored).arg(record.id) << '\n';
  return kExitDone;
}

int Journal(CliRun& run) {
  const QString action = run.Words().value(0);
  if (action == QLatin1String("list"))
    return List(run);
  if (action == QLatin1String("show")) {
    run.out << journal_text::Details(RecordOf(run));
    return kExitDone;
  }
  if (action == QLatin1String("restore"))
    return Restore(run);
  throw UsageError(QStringLiteral("expected list, show or restore"));
}

}  // namespace

CliCommand JournalCommand() {
  return {QStringLiteral("journal"),
          QStringLiteral("journal list [--serial N] [--model NAME] | show ID | restore ID "
                         "[--time-ok] [--rs-baud BAUD]"),
          QStringLiteral(
              "The journal of writes (--journal FILE, else VRX_JOURNAL, else journal.sqlite in "
              "the per-user data folder, vrx-service/).\nlist prints the records, newest first, as "
              "tab-separated "
              "lines.\nshow prints a record with the block before the write and the block written "
              "as hex; differing bytes are in square brackets.\nrestore identifies the instrument, "
              "refuses another model or serial number, and writes the saved block from before "
              "the write back (stamped with the PC time like the write was, recorded like any "
              "write).\n"),
          {QCommandLineOption(QStringLiteral("serial"), QString(), QStringLiteral("N")),
           QCommandLineOption(QStringLiteral("model"), QString(), QStringLiteral("NAME")),
           QCommandLineOption(QStringLiteral("time-ok")),
           QCommandLineOption(QStringLiteral("rs-baud"), QString(), QStringLiteral("BAUD"))},
          Journal,
          2};
}

}  // namespace vrx
