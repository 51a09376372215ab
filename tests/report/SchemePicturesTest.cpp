// The scheme pictures as the build makes them and where the programs find them, read without a
// window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "model/Catalogue.h"
#include "model/Errors.h"
#include "report/JpegImage.h"
#include "report/ProgramData.h"

namespace vrx {
namespace {

const QString kProgramDir = QStringLiteral(VRX_PROGRAM_DIR);

TEST(ProgramData, DataFilesAreTakenFromTheFirstFolderThatHasThem) {
  QTemporaryDir first, second;
  QDir(second.path()).mkpath(QStringLiteral("images"));
  QFile(second.filePath(QStringLiteral("images/7.jpg"))).open(QIODevice::WriteOnly);
  const QStringList folders = {first.path(), second.path()};
  EXPECT_EQ(FindDataFile(folders, SchemePictureFile(7)),
            second.filePath(QStringLiteral("images/7.jpg")));
  QDir(first.path()).mkpath(QStringLiteral("images"));
  QFile(first.filePath(QStringLiteral("images/7.jpg"))).open(QIODevice::WriteOnly);
  EXPECT_EQ(FindDataFile(folders, SchemePictureFile(7)),
            first.filePath(QStringLiteral("images/7.jpg")));
  EXPECT_TRUE(FindDataFile(folders, SchemePictureFile(8)).isEmpty());
}

TEST(SchemePictures, EverySchemeOfEveryModelHasAPictureThatDecodes) {
  std::map<uint32_t, RgbImage> decoded;
  for (const TDeviceRecord& type : DeviceTypes()) {
    const TFamilyRecord& family = FamilyOf(type);
    for (int i = 0; i < type.SchemeCount; ++i) {
      const uint32_t picture = family.Schemes[static_cast<size_t>(i)].PictureNumber;
      if (decoded.contains(picture))
        continue;
      const QString path = FindDataFile({kProgramDir}, SchemePictureFile(picture));
      ASSERT_FALSE(path.isEmpty()) << type.Name << " scheme " << i + 1;
      const RgbImage image = LoadJpegFile(path);
      EXPECT_GT(image.width, 300) << path.toStdString();
      EXPECT_GT(image.height, 200) << path.toStdString();
      EXPECT_EQ(image.pixels.size(), static_cast<size_t>(image.width * image.height * 3));
      decoded[picture] = image;
    }
  }
  EXPECT_EQ(decoded.size(), 34u);
}

TEST(JpegImage, AFileThatCannotBeReadReportsTheLoadersError) {
  QTemporaryDir dir;
  const QString missing = dir.filePath(QStringLiteral("missing.jpg"));
  const QString empty = dir.filePath(QStringLiteral("empty.jpg"));
  const QString text = dir.filePath(QStringLiteral("text.jpg"));
  const QString cut = dir.filePath(QStringLiteral("cut.jpg"));
  QFile(empty).open(QIODevice::WriteOnly);
  QFile textFile(text);
  textFile.open(QIODevice::WriteOnly);
  textFile.write("not a picture");
  textFile.close();
  QFile whole(kProgramDir + QStringLiteral("/images/2.jpg"));
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
  QFile cutFile(cut);
  cutFile.open(QIODevice::WriteOnly);
  cutFile.write(whole.read(200));
  cutFile.close();

  const std::pair<QString, QString> cases[] = {
      {missing, QStringLiteral("Не удалось открыть рисунок %1: No such file or directory")},
      {empty, QStringLiteral("Рисунок %1 не читается: Empty input file")},
      {text, QStringLiteral("Рисунок %1 не читается: Not a JPEG file: starts with 0x6e 0x6f")},
      {cut, QStringLiteral("Рисунок %1 не читается: ")}};
  for (const auto& [path, message] : cases) {
    try {
      LoadJpegFile(path);
      ADD_FAILURE() << path.toStdString() << " decoded";
    } catch (const EOwned& error) {
      EXPECT_TRUE(error.message().startsWith(message.arg(path))) << error.message().toStdString();
    }
  }
}

}  // namespace
}  // namespace vrx
