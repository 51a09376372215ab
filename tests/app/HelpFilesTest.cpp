// The help file and the scheme pictures as the build makes them, read without a window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>
#include <set>

#include "app/ChmArchive.h"
#include "app/HelpFiles.h"
#include "app/HelpSitemap.h"
#include "app/JpegImage.h"
#include "model/Catalogue.h"
#include "model/Errors.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

const QString kProgramDir = QStringLiteral(VRX_PROGRAM_DIR);

std::unique_ptr<ChmArchive> BuiltHelpFile() {
  return ChmArchive::Open(kProgramDir + QStringLiteral("/VRX_L.chm"));
}

TEST(HelpFiles, EveryPageOfTheMainWindowHasItsTopic) {
  const std::pair<int, const char*> cases[] = {{0, "VRX_L.chm::/0.htm"}, {1, "VRX_L.chm::/3.htm"},
                                               {2, "VRX_L.chm::/4.htm"}, {3, "VRX_L.chm::/5.htm"},
                                               {4, "VRX_L.chm::/0.htm"}, {5, "VRX_L.chm::/0.htm"}};
  for (const auto& [page, topic] : cases) {
    EXPECT_EQ(HelpTopicOfPage(page), QString::fromLatin1(topic)) << page;
    const HelpTopic split = SplitHelpTopic(QString::fromLatin1(topic));
    EXPECT_EQ(split.file, QStringLiteral("VRX_L.chm"));
    EXPECT_EQ(split.page, QString::fromLatin1(topic).mid(11));
  }
}

TEST(HelpFiles, DataFilesAreTakenFromTheFirstFolderThatHasThem) {
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

// Walks from the four topics through every link of every page reached: each linked page is in
// the built file, each anchor a link names is on its page, each picture decodes.
TEST(HelpFile, TheTopicsAndEveryPageTheyLeadToOpenFromTheBuiltFile) {
  const auto archive = BuiltHelpFile();
  ASSERT_NE(archive, nullptr);
  static const QRegularExpression link(QStringLiteral(R"re((href|src)="([^"]*)")re"));
  std::vector<QString> queue = {"/0.htm", "/3.htm", "/4.htm", "/5.htm"};
  std::set<QString> pages(queue.begin(), queue.end());
  std::vector<std::pair<QString, QString>> anchors;  // page, anchor
  for (size_t i = 0; i < queue.size(); ++i) {
    const std::optional<QByteArray> page = archive->Read(queue[i]);
    ASSERT_TRUE(page.has_value()) << queue[i].toStdString();
    for (const QRegularExpressionMatch& m : link.globalMatch(QString::fromUtf8(*page))) {
      const QString target = m.captured(2);
      if (target.contains(QLatin1Char(':')) || target.startsWith(QLatin1Char('#')))
        continue;  // outside links and anchors of the page itself
      const QString path = QLatin1Char('/') + target.section(QLatin1Char('#'), 0, 0);
      if (target.contains(QLatin1Char('#')))
        anchors.emplace_back(path, target.section(QLatin1Char('#'), 1));
      if (path.endsWith(QStringLiteral(".jpg"))) {
        const std::optional<QByteArray> picture = archive->Read(path);
        ASSERT_TRUE(picture.has_value()) << path.toStdString() << " on " << queue[i].toStdString();
        EXPECT_GT(DecodeJpeg(*picture, path).width, 0);
      } else if (pages.insert(path).second) {
        queue.push_back(path);
      }
    }
  }
  EXPECT_GE(pages.size(), 10u);
  for (const auto& [path, anchor] : anchors) {
    const QString page = QString::fromUtf8(archive->Read(path).value_or(QByteArray()));
    EXPECT_TRUE(page.contains(QStringLiteral("name=\"%1\"").arg(anchor)))
        << path.toStdString() << '#' << anchor.toStdString();
  }
}

TEST(HelpFile, ContentsAndIndexLeadToPagesOfTheFile) {
  const auto archive = BuiltHelpFile();
  ASSERT_NE(archive, nullptr);
  for (const char* sitemap : {"/toc.hhc", "/index.hhk"}) {
    const std::optional<QByteArray> text = archive->Read(QString::fromLatin1(sitemap));
    ASSERT_TRUE(text.has_value()) << sitemap;
    const std::vector<SitemapEntry> entries = ParseSitemap(QString::fromUtf8(*text));
    EXPECT_GE(entries.size(), 10u) << sitemap;
    for (const SitemapEntry& entry : entries) {
      EXPECT_FALSE(entry.name.isEmpty());
      EXPECT_TRUE(archive->Read(QLatin1Char('/') + entry.local.section(QLatin1Char('#'), 0, 0)))
          << entry.local.toStdString();
    }
  }
}

TEST(HelpFile, AMissingOrForeignFileDoesNotOpen) {
  EXPECT_EQ(ChmArchive::Open(kProgramDir + QStringLiteral("/missing.chm")), nullptr);
  EXPECT_EQ(ChmArchive::Open(kProgramDir + QStringLiteral("/images/2.jpg")), nullptr);
  EXPECT_FALSE(BuiltHelpFile()->Read(QStringLiteral("/9.htm")).has_value());
}

TEST(HelpSitemap, EntriesKeepTheirOrderAndNesting) {
  const QString text = QStringLiteral(
      "<HTML><BODY><UL>"
      "<LI><OBJECT type=\"text/sitemap\"><PARAM name=\"Name\" value=\"Начало &amp; конец\">"
      "<param name=\"Local\" value=\"0.htm\"></OBJECT>"
      "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Порт\">"
      "<param name=\"Local\" value=\"0.htm#port\"></object></ul>"
      "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Без страницы\"></object>"
      "<li><object type=\"text/sitemap\"><param name=\"Local\" value=\"4.htm\">"
      "<param name=\"Name\" value=\"&lt;4&gt;\"></object>"
      "</UL></BODY></HTML>");
  const std::vector<SitemapEntry> expected = {
      {"Начало & конец", "0.htm", 0}, {"Порт", "0.htm#port", 1}, {"<4>", "4.htm", 0}};
  EXPECT_EQ(ParseSitemap(text), expected);
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
