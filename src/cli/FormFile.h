#pragma once

#include <QJsonObject>
#include <QString>

namespace vrx {

// A form file: a JSON object keyed by the form names of a tab's or dialog's controls. Throws
// UsageError, naming the file, when it cannot be read or holds no JSON object.
QJsonObject LoadFormFile(const QString& path);

}  // namespace vrx
