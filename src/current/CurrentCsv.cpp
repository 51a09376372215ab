#include "current/CurrentCsv.h"

#include "current/CurrentGrid.h"
#include "model/Errors.h"

namespace vrx {

namespace {

// A field with a comma, a quote or a line break is quoted, its quotes doubled.
QString CsvField(const QString& text) {
  if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
      !text.contains(u'\n')) {
    return text;
  }
  return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

// The static texts of the tab: the columns of the log after the time and the error.
const QStringList& ValueColumns() {
  static const QStringList columns = [] {
    QStringList names;
    for (const QString& name : CurrentDisplay::Names()) {
      if (name.startsWith(QLatin1String("st")))
        names << name;
    }
    return names;
  }();
  return columns;
}

}  // namespace

QStringList CurrentCsvLog::Header() {
  return QStringList{QStringLiteral("time"), QStringLiteral("error")} + ValueColumns();
}

QByteArray CurrentCsvLog::Line(const QStringList& fields) {
  QStringList quoted;
  for (const QString& field : fields)
    quoted << CsvField(field);
  return (quoted.join(u',') + QStringLiteral("\r\n")).toUtf8();
}

CurrentCsvLog::Refusal CurrentCsvLog::Open(const QString& path, QString* reason) {
  file_.close();
  file_.setFileName(path);
  const QByteArray header = Line(Header());
  if (file_.exists() && file_.size() > 0) {
    if (!file_.open(QIODevice::ReadOnly)) {
      *reason = file_.errorString();
      return Refusal::Unreadable;
    }
    const bool ours = file_.readLine(header.size() + 1) == header;
    file_.close();
    if (!ours)
      return Refusal::NotALog;
  }
  const bool fresh = !file_.exists() || file_.size() == 0;
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Append)) {
    *reason = file_.errorString();
    return Refusal::Unwritable;
  }
  if (fresh)
    Write(header);
  return Refusal::None;
}

void CurrentCsvLog::Append(const QDateTime& time, const QString& error,
                           const CurrentDisplay* values) {
  QStringList row{time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), error};
  if (values != nullptr) {
    for (const QString& name : ValueColumns())
      row << ShownText(*values, name);
  }
  Write(Line(row));
}

void CurrentCsvLog::Write(const QByteArray& line) {
  if (file_.write(line) != line.size() || !file_.flush()) {
    const QString reason = file_.errorString();
    file_.close();
    throw EOwned(
        QStringLiteral("Не удалось записать в файл \"%1\": %2. Запись значений остановлена.")
            .arg(file_.fileName(), reason));
  }
}

}  // namespace vrx
