#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

#include "link/ComPort.h"

namespace vrx {

// Which block of an instrument a write replaces; a restore writes the saved block back the same
// way.
enum class JournalBlock : int {
  Settings = 0,
  UnitBlock = 1,
  InterfaceSettings = 2,
  PressureBlock = 3,
};

// One write as the journal keeps it: where it went, what the instrument held just before and
// what was sent.
struct JournalEntry {
  JournalBlock block = JournalBlock::Settings;
  QString operation;
  QString port;
  QString device;
  QString model;
  // Left empty when the block itself carries the number; the recorder reads it from `before`.
  QString serial;
  QByteArray before;
  QByteArray after;
};

// Where the journal goes. Begin stores the record before the first byte of the write goes out
// and throws EOwned when it cannot (the write is then refused); Finish stores the outcome, an
// empty error for a block written and checked.
class WriteRecorder {
 public:
  virtual ~WriteRecorder() = default;
  virtual int64_t Begin(const JournalEntry& entry) = 0;
  virtual void Finish(int64_t id, const QString& error) = 0;
};

// The connection's side of the journal: every write to an instrument goes through Write. With no
// recorder installed (tests of the exchanges alone) the write just runs.
class WriteJournal {
 public:
  explicit WriteJournal(TComPort& port) : port_(port) {}

  void Install(WriteRecorder* recorder) { recorder_ = recorder; }
  bool Installed() const { return recorder_ != nullptr; }

  // Records the entry (with the port), runs `write`, and records how it ended;
  // an error of the write is recorded and passed on.
  void Write(JournalEntry entry, const std::function<void()>& write);

 private:
  TComPort& port_;
  WriteRecorder* recorder_ = nullptr;
};

}  // namespace vrx
