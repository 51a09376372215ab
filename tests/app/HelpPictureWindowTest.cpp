// F1 and F2 in the main window: the help window on the topic of every tab, the scheme picture
// window with its reuse, refresh, Esc and missing pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <tuple>

#include "app/ChmArchive.h"
#include "app/HelpBrowser.h"
#include "app/HelpForm.h"
#include "app/MainForm.h"
#include "app/MessageForm.h"
#include "app/PortsForm.h"
#include "app/SchemePictureForm.h"
#include "app/WidgetCursor.h"
#include "support/FakePortLine.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

const QString kProgramDir = QStringLiteral(VRX_PROGRAM_DIR);

class HelpPictureWindowTest : public ::testing::Test {
 protected:
  // A window that finds its help file and pictures in `dataFolder`.
  TMainForm& Start(const QString& dataFolder) {
    context_ = std::make_unique<RunContext>(pacer_, cursor_, messages_, test::PlainNaming(),
                                            std::make_unique<test::FakeSerialBackend>(events_),
                                            dir_.filePath("tool.ini"));
    StartupOptions options;
    options.service = true;
    options.dataFolders = {dataFolder};
    form_ = std::make_unique<TMainForm>(*context_, options);
    form_->show();
    return *form_;
  }

  // A data folder of its own with copies of the built pictures, free to be changed.
  QString CopyOfPictures() {
    const QString folder = dir_.filePath(QStringLiteral("data"));
    QDir(folder).mkpath(QStringLiteral("images"));
    const QDir images(kProgramDir + QStringLiteral("/images"));
    for (const QString& name : images.entryList({QStringLiteral("*.jpg")}))
      QFile::copy(images.filePath(name), folder + QStringLiteral("/images/") + name);
    return folder;
  }

  void Press(Qt::Key key) { QTest::keyClick(form_->findChild<QComboBox*>("cbDeviceType"), key); }

  void SelectScheme(int listPosition) {
    form_->Workspace().Controls().cbCountingScheme.index = listPosition - 1;
    context_->RunAction([&] { form_->Workspace().CountingSchemeChanged(); });
  }

  static QList<TSchemePictureForm*> PictureWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<TSchemePictureForm*> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* picture = qobject_cast<TSchemePictureForm*>(window))
        windows << picture;
    }
    return windows;
  }

  // Wherever they are: over a message box the help window is the box's.
  static QList<THelpForm*> HelpWindows() {
    QList<THelpForm*> windows;
    for (QWidget* widget : QApplication::allWidgets()) {
      if (auto* help = qobject_cast<THelpForm*>(widget))
        windows << help;
    }
    return windows;
  }

  static QSize PictureSize(uint32_t number) {
    return TSchemePictureForm::Load({kProgramDir}, number).size();
  }

  void TearDown() override {
    form_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QTemporaryDir dir_;
  // The built help file, read as the test's own reference.
  std::unique_ptr<ChmArchive> help_ = ChmArchive::Open(kProgramDir + QStringLiteral("/VRX_L.chm"));
  std::shared_ptr<test::PortEvents> events_ = std::make_shared<test::PortEvents>();
  test::RecordingPacer pacer_{events_};
  PlainCursor cursor_;
  RecordingMessages messages_;
  std::unique_ptr<RunContext> context_;
  std::unique_ptr<TMainForm> form_;
};

// The window starts on VRX-L12-1.0 with scheme 1, whose picture is number 2; scheme 6 of that
// model has picture 20.
TEST_F(HelpPictureWindowTest, F2TwiceReusesTheWindowAndReloadsItsPicture) {
  const QString data = CopyOfPictures();
  Start(data);
  Press(Qt::Key_F2);
  ASSERT_EQ(PictureWindows().size(), 1);
  TSchemePictureForm* window = PictureWindows().front();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Схема 1"));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(window->Picture().size(), PictureSize(2));
  EXPECT_EQ(window->size(), PictureSize(2));

  // The file changes on disk: the second F2 shows what is there now, in the same window.
  QFile::remove(data + QStringLiteral("/images/2.jpg"));
  QFile::copy(kProgramDir + QStringLiteral("/images/19.jpg"),
              data + QStringLiteral("/images/2.jpg"));
  Press(Qt::Key_F2);
  ASSERT_EQ(PictureWindows(), QList<TSchemePictureForm*>{window});
  EXPECT_EQ(window->Picture().size(), PictureSize(19));

  // A scheme change while the window is open shows the new scheme there.
  SelectScheme(6);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Схема 6"));
  EXPECT_EQ(window->Picture().size(), PictureSize(20));
  EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('\n').toStdString();
}

TEST_F(HelpPictureWindowTest, EscClosesThePictureAndTheNextF2OpensAFreshWindow) {
  Start(kProgramDir);
  Press(Qt::Key_F2);
  ASSERT_EQ(PictureWindows().size(), 1);
  QPointer<TSchemePictureForm> first = PictureWindows().front();
  QTest::keyClick(first.data(), Qt::Key_Escape);
  EXPECT_TRUE(PictureWindows().isEmpty());
  EXPECT_TRUE(first.isNull());

  // Closed, the window is not brought back by a scheme change.
  SelectScheme(2);
  EXPECT_TRUE(PictureWindows().isEmpty());
  Press(Qt::Key_F2);
  ASSERT_EQ(PictureWindows().size(), 1);
  EXPECT_EQ(PictureWindows().front()->windowTitle(), QStringLiteral("Схема 2"));
  EXPECT_TRUE(PictureWindows().front()->isVisible());

  // A scheme list that loses its selection leaves the scheme selected before as the current one.
  SelectScheme(0);
  Press(Qt::Key_F2);
  ASSERT_EQ(PictureWindows().size(), 1);
  EXPECT_EQ(PictureWindows().front()->windowTitle(), QStringLiteral("Схема 2"));
  EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(HelpPictureWindowTest, AMissingPictureIsReportedAndNoWindowIsShown) {
  const QString data = CopyOfPictures();
  Start(data);
  QFile::remove(data + QStringLiteral("/images/2.jpg"));
  Press(Qt::Key_F2);
  EXPECT_TRUE(PictureWindows().isEmpty());
  EXPECT_EQ(messages_.Texts(),
            QStringList{QStringLiteral("Не удалось открыть рисунок %1/images/2.jpg: No such file "
                                       "or directory")
                            .arg(data)});

  // The open window of another scheme closes when the new scheme's picture is missing; the
  // scheme change itself goes through.
  messages_.Clear();
  SelectScheme(2);
  Press(Qt::Key_F2);
  ASSERT_EQ(PictureWindows().size(), 1);
  QFile::remove(data + QStringLiteral("/images/20.jpg"));
  SelectScheme(6);
  EXPECT_TRUE(PictureWindows().isEmpty());
  EXPECT_EQ(messages_.Texts().size(), 1);
  EXPECT_EQ(form_->Workspace().Selection().scheme->SchemeNumber, 6u);
}

TEST_F(HelpPictureWindowTest, F1OnEveryTabOpensItsTopicInTheOneHelpWindow) {
  Start(kProgramDir);
  auto* pages = form_->findChild<QTabWidget*>("PageControl1");
  const std::pair<int, const char*> cases[] = {
      {TMainForm::kInitPage, "/0.htm"},         {TMainForm::kServicePage, "/3.htm"},
      {TMainForm::kCurrentPage, "/4.htm"},      {TMainForm::kInterfacePage, "/5.htm"},
      {TMainForm::kRqInitPage, "/rq-init.htm"}, {TMainForm::kRqCurrentPage, "/rq-current.htm"}};
  for (const auto& [page, topic] : cases) {
    pages->setCurrentIndex(page);
    QTest::keyClick(pages, Qt::Key_F1);
    const QList<THelpForm*> windows = form_->findChildren<THelpForm*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows.front()->isVisible());
    EXPECT_EQ(windows.front()->CurrentPage(), QString::fromLatin1(topic)) << page;
    EXPECT_TRUE(windows.front()->windowTitle().startsWith(QStringLiteral("Справка — ")));
  }
  EXPECT_TRUE(messages_.Texts().isEmpty());
}

// F1 in each window of the program opens that window's section; over a modal dialog the help
// window is the dialog's (so that it takes input) until the dialog is done.
TEST_F(HelpPictureWindowTest, F1InEveryDialogOpensItsSection) {
  Start(kProgramDir);
  TPortsForm ports(*context_, {}, form_.get());
  TMessageForm box(DialogKind::Error, QStringLiteral("Ошибка приемо/прередачи"),
                   QStringLiteral("Ошибка"), DialogFont{}, kColorButtonFace, false, 0,
                   {QStringLiteral("OK")});
  const auto dialog = [&](const char* name) { return form_->findChild<QDialog*>(name); };
  // A file dialog has no section of its own: it takes that of the dialog it was opened from.
  QDialog fileDialog(dialog("TFormCalibrTempr"));
  const std::tuple<QDialog*, const char*, const char*> cases[] = {
      {dialog("RTCCorrectionForm1"), "/3.htm", "rtc"},
      {dialog("TicksCorrectionForm"), "/3.htm", "ticks"},
      {dialog("CountersForm"), "/3.htm", "counters"},
      {dialog("TFormCalibrTempr"), "/calibration.htm", "temp"},
      {dialog("TformCalibrPressure"), "/calibration.htm", "pressure"},
      {&fileDialog, "/calibration.htm", "temp"},
      {dialog("ClockVerifyForm"), "/0.htm", "clock"},
      {&ports, "/ports.htm", ""},
      {&box, "/messages.htm", "readback"}};
  for (const auto& [window, page, anchor] : cases) {
    ASSERT_NE(window, nullptr) << page;
    window->open();
    QTest::keyClick(window, Qt::Key_F1);
    const QList<THelpForm*> helps = HelpWindows();
    ASSERT_EQ(helps.size(), 1) << page;
    THelpForm* help = helps.front();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->parentWidget(), window) << page;
    EXPECT_EQ(help->CurrentPage(), QString::fromLatin1(page)) << window->objectName().toStdString();
    EXPECT_EQ(help->findChild<HelpBrowser*>()->source().fragment(), QString::fromLatin1(anchor))
        << page;
    // The section is there: the page has the anchor.
    EXPECT_TRUE(*anchor == 0 || help_->Read(QString::fromLatin1(page))
                                    .value_or(QByteArray())
                                    .contains(QByteArray("name=\"") + anchor + '"'))
        << page << '#' << anchor;
    window->done(QDialog::Rejected);
    EXPECT_EQ(help->parentWidget(), form_.get()) << page;
    EXPECT_TRUE(help->isVisible()) << page;
  }

  // The journal opens from the window and goes away when closed, the help window stays.
  QTest::mouseClick(form_->findChild<QPushButton*>("bnJournal"), Qt::LeftButton);
  QPointer<QDialog> journal = dialog("fmJournal");
  ASSERT_FALSE(journal.isNull());
  QTest::keyClick(journal.data(), Qt::Key_F1);
  THelpForm* help = form_->findChild<THelpForm*>();
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("/journal.htm"));
  EXPECT_EQ(help->parentWidget(), journal.data());
  journal->done(QDialog::Rejected);
  EXPECT_EQ(help->parentWidget(), form_.get());

  Press(Qt::Key_F2);
  ASSERT_EQ(PictureWindows().size(), 1);
  QTest::keyClick(PictureWindows().front(), Qt::Key_F1);
  EXPECT_EQ(form_->findChild<THelpForm*>()->CurrentPage(), QStringLiteral("/schemes.htm"));
  EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('\n').toStdString();
}

TEST_F(HelpPictureWindowTest, TheHelpWindowFollowsItsContentsBackAndForwardWithPictures) {
  Start(kProgramDir);
  QTest::keyClick(form_->findChild<QTabWidget*>("PageControl1"), Qt::Key_F1);
  auto* help = form_->findChild<THelpForm*>();
  ASSERT_NE(help, nullptr);
  auto* contents = help->findChild<QTreeWidget*>("tvContents");
  const QList<QTreeWidgetItem*> schemes =
      contents->findItems(QStringLiteral("Измерительные схемы и их рисунки"), Qt::MatchExactly);
  ASSERT_EQ(schemes.size(), 1);
  QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                    contents->visualItemRect(schemes.front()).center());
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("/schemes.htm"));
  const QVariant picture = help->findChild<HelpBrowser*>()->document()->resource(
      QTextDocument::ImageResource, QUrl(QStringLiteral("chm:/images/2.jpg")));
  EXPECT_EQ(picture.value<QImage>().size(), PictureSize(2));

  QTest::mouseClick(help->findChild<QToolButton*>("bnBack"), Qt::LeftButton);
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("/0.htm"));
  QTest::mouseClick(help->findChild<QToolButton*>("bnForward"), Qt::LeftButton);
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("/schemes.htm"));
  QTest::mouseClick(help->findChild<QToolButton*>("bnContents"), Qt::LeftButton);
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("/contents.htm"));
}

// The contents mark the topic shown; Esc and Ctrl+W close the window; the index keeps the
// entries that contain what is typed in its search field, and Enter opens the first.
TEST_F(HelpPictureWindowTest, TheHelpWindowMarksItsTopicClosesOnEscAndSearchesItsIndex) {
  Start(kProgramDir);
  auto* pages = form_->findChild<QTabWidget*>("PageControl1");
  pages->setCurrentIndex(TMainForm::kCurrentPage);
  QTest::keyClick(pages, Qt::Key_F1);
  auto* help = form_->findChild<THelpForm*>();
  ASSERT_NE(help, nullptr);
  const QTreeWidgetItem* marked = help->findChild<QTreeWidget*>("tvContents")->currentItem();
  ASSERT_NE(marked, nullptr);
  EXPECT_EQ(marked->text(0), QStringLiteral("Вкладка «Текущие параметры»"));
  EXPECT_TRUE(marked->font(0).bold());

  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    ASSERT_TRUE(help->isVisible());
    QTest::keySequence(help->findChild<HelpBrowser*>(), keys);
    EXPECT_FALSE(help->isVisible()) << keys.toString().toStdString();
    QTest::keyClick(pages, Qt::Key_F1);
  }

  auto* search = help->findChild<QLineEdit*>("edIndexSearch");
  auto* index = help->findChild<QListWidget*>("lbIndex");
  QTest::keyClicks(search, QStringLiteral("opx"));
  int shown = 0;
  for (int row = 0; row < index->count(); ++row) {
    if (!index->item(row)->isHidden()) {
      ++shown;
      EXPECT_TRUE(index->item(row)->text().contains(QStringLiteral("OPX"))) << row;
    }
  }
  EXPECT_GT(shown, 0);
  QTest::keyClick(search, Qt::Key_Return);
  EXPECT_EQ(help->CurrentPage(),
            HelpBrowser::PageUrl(index->currentItem()->data(Qt::UserRole).toString()).path());
}

TEST_F(HelpPictureWindowTest, AMissingHelpFileIsReportedAndNoHelpWindowIsShown) {
  const QString empty = dir_.filePath(QStringLiteral("empty"));
  QDir().mkpath(empty);
  Start(empty);
  QTest::keyClick(form_->findChild<QTabWidget*>("PageControl1"), Qt::Key_F1);
  EXPECT_EQ(
      messages_.Texts(),
      QStringList{
          QStringLiteral("Файл справки VRX_L.chm не найден. Искали в папках: %1").arg(empty)});
  const THelpForm* help = form_->findChild<THelpForm*>();
  EXPECT_TRUE(help == nullptr || !help->isVisible());
}

}  // namespace
}  // namespace vrx
