#include "app/ChmArchive.h"

#include <QFile>

#include <chm_lib.h>

namespace vrx {

std::unique_ptr<ChmArchive> ChmArchive::Open(const QString& path) {
  chmFile* file = chm_open(QFile::encodeName(path).constData());
  if (file == nullptr)
    return nullptr;
  return std::unique_ptr<ChmArchive>(new ChmArchive(file));
}

ChmArchive::~ChmArchive() {
  chm_close(file_);
}

std::optional<QByteArray> ChmArchive::Read(const QString& path) const {
  chmUnitInfo unit{};
  if (chm_resolve_object(file_, path.toUtf8().constData(), &unit) != CHM_RESOLVE_SUCCESS)
    return std::nullopt;
  QByteArray data(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
  const LONGINT64 read =
      chm_retrieve_object(file_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0,
                          static_cast<LONGINT64>(unit.length));
  if (read != static_cast<LONGINT64>(unit.length))
    return std::nullopt;
  return data;
}

QStringList ChmArchive::Paths() const {
  QStringList paths;
  chm_enumerate(
      file_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
      [](chmFile*, chmUnitInfo* unit, void* context) {
        static_cast<QStringList*>(context)->append(QString::fromUtf8(unit->path));
        return CHM_ENUMERATOR_CONTINUE;
      },
      &paths);
  return paths;
}

}  // namespace vrx
