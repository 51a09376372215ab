#pragma once

#include <QString>

#include "journal/JournalDatabase.h"

namespace vrx {

// The texts the companion prints and the journal dialog shows.
namespace journal_text {

// One line of the list: number, time, port, model, serial number, operation, outcome, separated
// by tabs.
QString ListLine(const JournalRecord& record);
// The columns of ListLine.
QStringList ListTitles();

// The record's details, then both blocks as hex, 16 bytes a row: the row's offset, the row
// before the write ("до") and under it the row written ("после"); a byte that differs is set in
// square brackets in both.
QString Details(const JournalRecord& record);

}  // namespace journal_text

}  // namespace vrx
