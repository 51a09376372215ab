#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "report/Document.h"

namespace vrx {

// The file of a scheme picture: the first data folder's copy; when none has it, the one beside
// the program, which the loader then reports missing.
QString SchemePicturePath(const QStringList& folders, uint32_t pictureNumber);

// The picture the settings protocol shows, as F2 shows it. Throws EOwned with the loader's
// message when it is missing or unreadable.
DocumentPicture LoadSchemePicture(const QStringList& folders, uint32_t pictureNumber);

}  // namespace vrx
