#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct chmFile;

namespace vrx {

// A compiled help file opened with chmlib: its pages, pictures, contents and index are objects
// addressed by absolute paths such as "/4.htm".
class ChmArchive {
 public:
  // Nothing when the file is missing or is not a compiled help file.
  static std::unique_ptr<ChmArchive> Open(const QString& path);
  ~ChmArchive();
  ChmArchive(const ChmArchive&) = delete;
  ChmArchive& operator=(const ChmArchive&) = delete;

  // The object's bytes; nothing when the file has no such object.
  std::optional<QByteArray> Read(const QString& path) const;
  // The paths of the file's own objects (pages, pictures, contents), without the compiler's
  // internal ones.
  QStringList Paths() const;

 private:
  explicit ChmArchive(chmFile* file) : file_(file) {}

  chmFile* file_;
};

}  // namespace vrx
