#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace vrx {

// Where the help file and the scheme pictures are looked for, in order: the program's own folder
// (the build tree), then the data folder of an installation beside it.
QStringList ProgramDataFolders();

// The path of the first folder's copy of `relative` that exists; empty when none does.
QString FindDataFile(const QStringList& folders, const QString& relative);

// "images/N.jpg": the scheme picture of a picture number, relative to a data folder.
QString SchemePictureFile(uint32_t pictureNumber);

}  // namespace vrx
