// Every message the program raises or shows has its entry in the help: the texts are found in
// the sources of src/ as the test runs (MessageSources), the entries on messages.htm of the
// built help file.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <set>

#include "app/ChmArchive.h"
#include "app/HelpSitemap.h"
#include "app/MessageSources.h"

namespace vrx {
namespace {

const QString kProgramDir = QStringLiteral(VRX_PROGRAM_DIR);
const QString kSourceDir = QStringLiteral(VRX_SOURCE_DIR);

std::vector<test::MessageSources::File> ProgramSources() {
  std::vector<test::MessageSources::File> files;
  QDirIterator it(kSourceDir + QStringLiteral("/src"),
                  {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile file(it.next());
    if (file.open(QIODevice::ReadOnly))
      files.push_back(
          {file.fileName().mid(kSourceDir.size() + 1), QString::fromUtf8(file.readAll())});
  }
  return files;
}

QString HelpPage(const char* path) {
  const auto archive = ChmArchive::Open(kProgramDir + QStringLiteral("/VRX_L.chm"));
  return archive == nullptr
             ? QString()
             : QString::fromUtf8(archive->Read(QString::fromLatin1(path)).value_or(QByteArray()));
}

struct Entry {
  QString anchor;
  QString text;  // as the page shows it
};

// The message entries of messages.htm: the cells <td class="msg">.
std::vector<Entry> MessageEntries() {
  static const QRegularExpression cell(QStringLiteral("<td class=\"msg\">(.*?)</td>"),
                                       QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression anchor(QStringLiteral("<a name=\"([^\"]+)\"></a>"));
  static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
  static const QRegularExpression blanks(QStringLiteral("[ \\t\\r\\n]+"));
  std::vector<Entry> entries;
  for (const QRegularExpressionMatch& m : cell.globalMatch(HelpPage("/messages.htm"))) {
    QString text = m.captured(1);
    text.replace(QStringLiteral("<br>"), QStringLiteral(" "))
        .remove(tag)
        .replace(blanks, QStringLiteral(" "));
    // After the blanks: a no-break space keeps a double space of the program's text.
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    entries.push_back({anchor.match(m.captured(1)).captured(1), text.trimmed()});
  }
  return entries;
}

// What is wrong with the program's messages against the entries: a text an entry does not hold,
// a message whose text cannot be followed.
QStringList Problems(const test::MessageSources& sources, const std::vector<Entry>& entries) {
  static const QRegularExpression split(QStringLiteral("%\\d+|\\r?\\n"));
  QStringList problems;
  for (const test::MessageSources::Message& message : sources.Messages()) {
    if (!message.traced) {
      problems << QStringLiteral("%1: the text of %2 cannot be followed to a literal")
                      .arg(message.where, message.expression);
    }
    for (const QString& text : message.texts) {
      for (QString piece : text.split(split)) {
        piece = piece.trimmed();
        const bool words =
            std::any_of(piece.begin(), piece.end(), [](QChar c) { return c.isLetter(); });
        if (piece.size() < 2 || !words)
          continue;
        const bool held = std::any_of(entries.begin(), entries.end(), [&](const Entry& entry) {
          return entry.text.contains(piece);
        });
        if (!held)
          problems << QStringLiteral("%1: \"%2\" has no entry on messages.htm")
                          .arg(message.where, piece);
      }
    }
  }
  return problems;
}

TEST(HelpMessages, EveryTextTheProgramRaisesOrShowsHasItsEntry) {
  const test::MessageSources sources(ProgramSources());
  const std::vector<Entry> entries = MessageEntries();
  ASSERT_GE(entries.size(), 90u);
  // The sources hold some hundred messages; far fewer would mean the search found the wrong
  // places.
  EXPECT_GE(sources.Messages().size(), 100u);
  const QStringList problems = Problems(sources, entries);
  EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST(HelpMessages, EveryEntryIsInTheIndex) {
  std::set<QString> indexed;
  for (const SitemapEntry& entry : ParseSitemap(HelpPage("/index.hhk")))
    indexed.insert(entry.local);
  for (const Entry& entry : MessageEntries()) {
    EXPECT_FALSE(entry.anchor.isEmpty()) << entry.text.toStdString();
    EXPECT_TRUE(indexed.contains(QStringLiteral("messages.htm#") + entry.anchor))
        << entry.text.toStdString();
  }
}

// A message added to the program without an entry, and one whose text the search cannot
// follow, are both reported, each at its place.
TEST(HelpMessages, ANewMessageWithoutAnEntryIsReported) {
  std::vector<test::MessageSources::File> files = ProgramSources();
  const QStringList before = Problems(test::MessageSources(files), MessageEntries());
  files.push_back(
      {QStringLiteral("src/new/NewCheck.cpp"),
       QStringLiteral("namespace {\n"
                      "const char* const kNewWarning = \"Совсем новое предупреждение\";\n"
                      "}\n"
                      "void NewCheck(Messages& messages, int channel) {\n"
                      "  Warn(messages, QString::fromUtf8(kNewWarning).arg(channel));\n"
                      "}\n"
                      "void Warn(Messages& messages, const QString& text) {\n"
                      "  messages.ShowInfo(text + QStringLiteral(\" Проверьте канал.\"));\n"
                      "  messages.ShowError(thing.Describe());\n"
                      "}\n")});
  const QStringList after = Problems(test::MessageSources(files), MessageEntries());
  QStringList added = after;
  for (const QString& problem : before)
    added.removeOne(problem);
  EXPECT_EQ(
      added,
      (QStringList{
          QStringLiteral("src/new/NewCheck.cpp:8: \"Совсем новое предупреждение\" has no entry on "
                         "messages.htm"),
          QStringLiteral(
              "src/new/NewCheck.cpp:8: \"Проверьте канал.\" has no entry on messages.htm"),
          QStringLiteral(
              "src/new/NewCheck.cpp:9: the text of thing.Describe() cannot be followed to a "
              "literal")}));
}

}  // namespace
}  // namespace vrx
