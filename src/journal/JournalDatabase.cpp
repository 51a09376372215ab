#include "journal/JournalDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>
#include <atomic>

#include "model/Errors.h"

namespace vrx {

namespace {

const char* const kEnvironmentPath = "VRX_JOURNAL";
// The window and the companion name their applications differently; both keep one journal.
const char* const kFileName = "vrx-service/journal.sqlite";
const char* const kUnavailable = "Журнал записей недоступен (%1): %2.";

// A missing outcome marks a write that began and never ended.
const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS writes ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " time TEXT NOT NULL,"
    " port TEXT NOT NULL,"
    " device TEXT NOT NULL,"
    " model TEXT NOT NULL,"
    " serial TEXT NOT NULL,"
    " operation TEXT NOT NULL,"
    " block INTEGER NOT NULL,"
    " before BLOB NOT NULL,"
    " after BLOB NOT NULL,"
    " outcome TEXT,"
    " ok INTEGER NOT NULL DEFAULT 0)";

const char* const kColumns =
    "SELECT id, time, port, device, model, serial, operation, block, before, after, outcome, ok "
    "FROM writes ";

// The driver stores a null text as NULL; an empty text is what is meant.
QString NotNull(const QString& text) {
  return text.isNull() ? QStringLiteral("") : text;
}

JournalRecord RecordOf(const QSqlQuery& q) {
  JournalRecord r;
  r.id = q.value(0).toLongLong();
  r.time = QDateTime::fromString(q.value(1).toString(), Qt::ISODate);
  r.entry.port = q.value(2).toString();
  r.entry.device = q.value(3).toString();
  r.entry.model = q.value(4).toString();
  r.entry.serial = q.value(5).toString();
  r.entry.operation = q.value(6).toString();
  r.entry.block = static_cast<JournalBlock>(q.value(7).toInt());
  r.entry.before = q.value(8).toByteArray();
  r.entry.after = q.value(9).toByteArray();
  r.outcome = q.value(10).toString();
  r.ok = q.value(11).toInt() != 0;
  return r;
}

}  // namespace

JournalDatabase::JournalDatabase(QString path) : path_(std::move(path)) {
  static std::atomic<int> instances{0};
  connectionName_ = QStringLiteral("vrx-journal-%1").arg(++instances);
}

JournalDatabase::~JournalDatabase() {
  if (QSqlDatabase::contains(connectionName_)) {
    QSqlDatabase::database(connectionName_, false).close();
    QSqlDatabase::removeDatabase(connectionName_);
  }
}

QString JournalDatabase::DefaultPath() {
  const QString overridden = qEnvironmentVariable(kEnvironmentPath);
  if (!overridden.isEmpty())
    return overridden;
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
      .filePath(QString::fromLatin1(kFileName));
}

void JournalDatabase::Fail(const QString& reason) const {
  throw EOwned(QString::fromUtf8(kUnavailable).arg(QDir::toNativeSeparators(path_), reason));
}

void JournalDatabase::Open() {
  if (open_)
    return;
  if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
    Fail(QStringLiteral("нет папки"));
  QSqlDatabase db = QSqlDatabase::contains(connectionName_)
                        ? QSqlDatabase::database(connectionName_, false)
                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
  db.setDatabaseName(path_);
  if (!db.open())
    Fail(db.lastError().text());
  QSqlQuery q(db);
  // A write is committed to the disk before the call returns, and waits for another copy of the
  // tool that holds the file for a moment. The write-ahead log commits with one sync of the disk
  // where the rollback journal needs several: the record before every write to an instrument is
  // as safe and costs the engineer's wait a few milliseconds instead of tens.
  if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
      !q.exec(QStringLiteral("PRAGMA synchronous=FULL")) ||
      !q.exec(QStringLiteral("PRAGMA busy_timeout=5000")) || !q.exec(QString::fromUtf8(kSchema))) {
    const QString reason = q.lastError().text();
    db.close();
    Fail(reason);
  }
  open_ = true;
}

int64_t JournalDatabase::Insert(const JournalEntry& entry, const QDateTime& time) {
  Open();
  QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
  QSqlQuery q(db);
  q.prepare(QStringLiteral(
      "INSERT INTO writes (time, port, device, model, serial, operation, block, before, after) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
  q.addBindValue(time.toString(Qt::ISODate));
  q.addBindValue(NotNull(entry.port));
  q.addBindValue(NotNull(entry.device));
  q.addBindValue(NotNull(entry.model));
  q.addBindValue(NotNull(entry.serial));
  q.addBindValue(NotNull(entry.operation));
  q.addBindValue(static_cast<int>(entry.block));
  q.addBindValue(entry.before);
  q.addBindValue(entry.after);
  if (!db.transaction() || !q.exec() || !db.commit()) {
    const QString reason = q.lastError().isValid() ? q.lastError().text() : db.lastError().text();
    db.rollback();
    Fail(reason);
  }
  return q.lastInsertId().toLongLong();
}

void JournalDatabase::SetOutcome(int64_t id, bool ok, const QString& outcome) {
  Open();
  QSqlQuery q(QSqlDatabase::database(connectionName_, false));
  q.prepare(QStringLiteral("UPDATE writes SET outcome = ?, ok = ? WHERE id = ?"));
  q.addBindValue(NotNull(outcome));
  q.addBindValue(ok ? 1 : 0);
  q.addBindValue(static_cast<qlonglong>(id));
  if (!q.exec())
    Fail(q.lastError().text());
}

bool JournalDatabase::Exists() const {
  return open_ || QFileInfo::exists(path_);
}

std::vector<JournalRecord> JournalDatabase::List(const QString& serial, const QString& model) {
  if (!Exists())
    return {};
  Open();
  QSqlQuery q(QSqlDatabase::database(connectionName_, false));
  q.prepare(QString::fromUtf8(kColumns) +
            QStringLiteral("WHERE (? = '' OR serial = ?) AND (? = '' OR model = ?) "
                           "ORDER BY id DESC"));
  q.addBindValue(NotNull(serial));
  q.addBindValue(NotNull(serial));
  q.addBindValue(NotNull(model));
  q.addBindValue(NotNull(model));
  if (!q.exec())
    Fail(q.lastError().text());
  std::vector<JournalRecord> records;
  while (q.next())
    records.push_back(RecordOf(q));
  return records;
}

std::optional<JournalRecord> JournalDatabase::Find(int64_t id) {
  if (!Exists())
    return std::nullopt;
  Open();
  QSqlQuery q(QSqlDatabase::database(connectionName_, false));
  q.prepare(QString::fromUtf8(kColumns) + QStringLiteral("WHERE id = ?"));
  q.addBindValue(static_cast<qlonglong>(id));
  if (!q.exec())
    Fail(q.lastError().text());
  if (!q.next())
    return std::nullopt;
  return RecordOf(q);
}

}  // namespace vrx
