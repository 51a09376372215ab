#include "model/InputFile.h"

#include <QFile>
#include <QFileInfo>

namespace vrx {

std::optional<QByteArray> ReadInputFile(const QString& path, QString* reason) {
  // Checked before opening: /dev/zero would never end, a FIFO would wait for a writer.
  const QFileInfo info(path);
  if (info.exists() && !info.isFile()) {
    *reason = QStringLiteral("not a regular file");
    return std::nullopt;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *reason = file.errorString();
    return std::nullopt;
  }
  // One byte beyond the limit tells a file that grew after the check.
  QByteArray bytes = file.read(kInputFileLimit + 1);
  if (info.size() > kInputFileLimit || bytes.size() > kInputFileLimit) {
    *reason = QStringLiteral("larger than %1 bytes").arg(kInputFileLimit);
    return std::nullopt;
  }
  return bytes;
}

}  // namespace vrx
