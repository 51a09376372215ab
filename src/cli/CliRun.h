#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "journal/JournalKeeper.h"
#include "link/Connection.h"
#include "link/LineTrace.h"
#include "sim/DemoInstrument.h"
#include "stamp/PcClock.h"

namespace vrx {

// Exit codes of the companion.
enum CliExit : int {
  kExitDone = 0,
  // The instrument, the port or a value refused: the Russian message alone on stderr.
  kExitRefused = 1,
  // A wrong command line, an unreadable file, a form the tab cannot use or a refused
  // confirmation.
  kExitUsage = 2,
  // The write was done, but the journal refused its outcome: the record stays without one.
  kExitOutcomeLost = 3,
};

// A command line or a file the companion cannot use; its text goes to stderr and the run ends
// with kExitUsage.
class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// The options every command takes: which port, at what speed, against a demo instrument or not.
struct LineOptions {
  // The window's link settings: COM1 at 4800 baud, replies within 1500 ms.
  static constexpr int kDefaultPort = 1;
  static constexpr uint32_t kDefaultBaud = 4800;
  static constexpr int kReadTimeoutMs = 1500;

  int portNumber = kDefaultPort;
  uint32_t baud = kDefaultBaud;
  QString portPath;
  QString demoType;
  // --journal FILE; empty for the default journal.
  QString journalPath;
  // --trace-file FILE: every byte on the line, by exchange, appended to FILE.
  QString traceFile;

  static QList<QCommandLineOption> Declare();
  // Throws UsageError for a value out of range or options that exclude each other.
  static LineOptions From(const QCommandLineParser& parser);
};

// One run of a command: its options and words, the terminal, and the line to the instrument,
// opened when the command asks for it (after it has checked its own arguments).
class CliRun {
 public:
  CliRun(const QCommandLineParser& parser, LineOptions line, QStringList words, QTextStream& in,
         QTextStream& out, QTextStream& err, const PcClock& clock);
  CliRun(const CliRun&) = delete;
  CliRun& operator=(const CliRun&) = delete;

  bool IsSet(const char* option) const;
  QString Value(const char* option) const;
  // The words after the command's name (a command group's subcommand and its arguments).
  const QStringList& Words() const { return words_; }
  const LineOptions& Line() const { return line_; }

  // Starts the demo instrument when one is asked for, maps the port to it or to --port, and
  // opens the port; every write through it is recorded in the journal. Throws UsageError for an
  // unknown demo instrument.
  Connection& Connect();
  // The journal of writes: --journal FILE, or the default one.
  JournalDatabase& Journal();
  // The messages of the write outcomes the journal refused (JournalRecorder::TakeLostOutcomes).
  QStringList TakeLostOutcomes();

  QTextStream& in;
  QTextStream& out;
  QTextStream& err;
  const PcClock& clock;

 private:
  const QCommandLineParser& parser_;
  LineOptions line_;
  QStringList words_;
  // Declared in this order so the port lets go of the line before the demo instrument ends it,
  // and the trace file outlives the port.
  std::unique_ptr<LineTrace> trace_;
  std::unique_ptr<sim::EmulatedInstrument> demo_;
  std::unique_ptr<Connection> connection_;
  // After the connection, so the journal lets go of it before it ends.
  std::unique_ptr<JournalKeeper> journal_;
};

}  // namespace vrx
