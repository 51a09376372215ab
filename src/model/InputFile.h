#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace vrx {

// The files the tools read from the user (form files, the emulator's state and values files)
// are a few kilobytes; one larger than this is no such file, and is refused before it is read.
inline constexpr qint64 kInputFileLimit = 1024 * 1024;

// Reads a whole input file. A file that cannot be opened, is no regular file (a device, a pipe,
// a folder) or is larger than kInputFileLimit gives nothing and the reason in *reason.
std::optional<QByteArray> ReadInputFile(const QString& path, QString* reason);

}  // namespace vrx
