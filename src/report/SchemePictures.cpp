#include "report/SchemePictures.h"

#include <QDir>
#include <utility>

#include "report/JpegImage.h"
#include "report/ProgramData.h"

namespace vrx {

QString SchemePicturePath(const QStringList& folders, uint32_t pictureNumber) {
  const QString relative = SchemePictureFile(pictureNumber);
  const QString path = FindDataFile(folders, relative);
  return path.isEmpty() ? QDir(folders.value(0)).filePath(relative) : path;
}

DocumentPicture LoadSchemePicture(const QStringList& folders, uint32_t pictureNumber) {
  RgbImage image = LoadJpegFile(SchemePicturePath(folders, pictureNumber));
  return {image.width, image.height, std::move(image.pixels)};
}

}  // namespace vrx
