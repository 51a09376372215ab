// The help file as the build makes it, read without a window.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>

#include "app/ChmArchive.h"
#include "app/HelpFiles.h"
#include "app/HelpMessages.h"
#include "app/HelpSitemap.h"
#include "report/JpegImage.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

const QString kProgramDir = QStringLiteral(VRX_PROGRAM_DIR);

std::unique_ptr<ChmArchive> BuiltHelpFile() {
  return ChmArchive::Open(kProgramDir + QStringLiteral("/VRX_L.chm"));
}

TEST(HelpFiles, EveryPageOfTheMainWindowHasItsTopic) {
  const std::pair<int, const char*> cases[] = {
      {0, "VRX_L.chm::/0.htm"}, {1, "VRX_L.chm::/3.htm"},       {2, "VRX_L.chm::/4.htm"},
      {3, "VRX_L.chm::/5.htm"}, {4, "VRX_L.chm::/rq-init.htm"}, {5, "VRX_L.chm::/rq-current.htm"}};
  for (const auto& [page, topic] : cases) {
    EXPECT_EQ(HelpTopicOfPage(page), QString::fromLatin1(topic)) << page;
    const HelpTopic split = SplitHelpTopic(QString::fromLatin1(topic));
    EXPECT_EQ(split.file, QStringLiteral("VRX_L.chm"));
    EXPECT_EQ(split.page, QString::fromLatin1(topic).mid(11));
  }
}

// F1 in a message box opens the entry of its message: the program's text with what it put in
// matches the entry whose italics stand for that.
TEST(HelpFile, AMessageLeadsToItsEntry) {
  const auto archive = BuiltHelpFile();
  ASSERT_NE(archive, nullptr);
  const QString page = QString::fromUtf8(archive->Read(QStringLiteral("/messages.htm")).value());
  const std::pair<const char*, const char*> cases[] = {
      {"Ошибка приемо/передачи", "echo"},
      {"Ошибка приемо/прередачи", "readback"},
      {"Не задан Ду  канала №3", "v-dy"},
      {"Прибор проинициализирован успешно.", "done"},
      {"Прибор проинициализирован успешно. Выйти из режима инициализации?", "leaveinit"},
      {"Ошибка калибровки.\r\nПолучен неправильный коэффициент: 65341.", "k-error"},
      {"Порт COM2 (/dev/ttyUSB0) отключен: Input/output error", "lost"},
      {"\"12a\" не является целым числом", "c-int"},
      {"Ошибка диапазона расхода 2к.", "r-range"},
      {"Прибор не будет работать.", "w-end"},
      {"Неправильный месяц перехода на летнюю температуру.\r\nНеправильное значение коррекции "
       "RTC.\r\nПрибор не будет работать.",
       "w-summer"},
      {"Текст, которого в справке нет", ""}};
  for (const auto& [message, anchor] : cases)
    EXPECT_EQ(MessageAnchor(page, QString::fromUtf8(message)), QString::fromLatin1(anchor))
        << message;
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
      const std::optional<QByteArray> page =
          archive->Read(QLatin1Char('/') + entry.local.section(QLatin1Char('#'), 0, 0));
      ASSERT_TRUE(page.has_value()) << entry.local.toStdString();
      if (entry.local.contains(QLatin1Char('#'))) {
        const QString anchor = entry.local.section(QLatin1Char('#'), 1);
        EXPECT_TRUE(page->contains(QStringLiteral("name=\"%1\"").arg(anchor).toUtf8()))
            << entry.local.toStdString();
      }
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

}  // namespace
}  // namespace vrx
