#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace vrx::fuzz {

// For the decoders that read a file: writes the input to this process's file `name` in the
// temporary folder (TMPDIR, which tools/run-fuzz.sh keeps in memory) and returns its path; an
// empty path when it cannot be written.
inline QString WriteInputFile(const char* name, const uint8_t* data, size_t size) {
  const QString path = QDir::tempPath() + QStringLiteral("/vrx-fuzz-%1-%2")
                                              .arg(QCoreApplication::applicationPid())
                                              .arg(QLatin1String(name));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
          static_cast<qint64>(size)) {
    return {};
  }
  return path;
}

}  // namespace vrx::fuzz
