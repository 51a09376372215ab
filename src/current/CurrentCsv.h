#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

#include "current/CurrentDisplay.h"

namespace vrx {

// The log of readouts of the tab "Текущие параметры", as the companion's `current --every` and
// the window's polling write it: UTF-8, one row per readout (time, error, then every static text
// of the tab), RFC 4180 quoting, CRLF line ends, every row flushed as it is written.
class CurrentCsvLog {
 public:
  // Why a file was not taken for a log.
  enum class Refusal {
    None,
    Unreadable,  // it exists and cannot be read to check its header
    NotALog,     // its first line is not the header of a log
    Unwritable,  // it cannot be opened for appending
  };

  // Opens the log at `path` for appending: a missing or empty file gets the header row, a file
  // whose first line is the header is continued, anything else is left untouched. Returns
  // Refusal::None when the log is open; `reason` receives the system's reason otherwise.
  Refusal Open(const QString& path, QString* reason);
  bool IsOpen() const { return file_.isOpen(); }
  QString Path() const { return file_.fileName(); }
  void Close() { file_.close(); }

  // Appends the row of a readout at `time`: the error of a failed readout, else the texts
  // `values` shows. A row the file does not take raises EOwned and closes the log.
  void Append(const QDateTime& time, const QString& error, const CurrentDisplay* values);

 private:
  static QByteArray Line(const QStringList& fields);
  static QStringList Header();
  void Write(const QByteArray& line);

  QFile file_;
};

}  // namespace vrx
