#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/DemoInstrument.h"
#include "app/WidgetCursor.h"
#include "app/WidgetMessages.h"
#include "model/Errors.h"
#include "session/ActionConnect.h"
#include "support/FakePortLine.h"
#include "support/QtPrinters.h"
#include "support/WidgetTestHelpers.h"

namespace vrx {
namespace {

// Records what F1 and F2 reach.
class ProbedMainForm : public TMainForm {
 public:
  using TMainForm::TMainForm;
  std::vector<int> helpPages;
  int pictures = 0;

 protected:
  void ShowHelpTopic(int pageIndex) override { helpPages.push_back(pageIndex); }
  void ShowSchemePicture() override { ++pictures; }
};

class MainFormTest : public ::testing::Test {
 protected:
  QString SettingsFile() const { return dir_.filePath("tool.ini"); }
  QSettings Settings() const { return QSettings(SettingsFile(), QSettings::IniFormat); }

  ProbedMainForm& Start(StartupOptions options = {},
                        TMainForm::PageBuild pages = TMainForm::PageBuild::AllAtOnce) {
    Stop();
    context_ = std::make_unique<RunContext>(pacer_, cursor_, messages_, test::PlainNaming(),
                                            std::make_unique<test::FakeSerialBackend>(events_),
                                            SettingsFile());
    form_ = std::make_unique<ProbedMainForm>(*context_, options, pages);
    return *form_;
  }

  void Stop() {
    form_.reset();
    context_.reset();
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = form_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  QTemporaryDir dir_;
  std::shared_ptr<test::PortEvents> events_ = std::make_shared<test::PortEvents>();
  test::RecordingPacer pacer_{events_};
  PlainCursor cursor_;
  RecordingMessages messages_;
  std::unique_ptr<RunContext> context_;
  std::unique_ptr<ProbedMainForm> form_;
};

TEST_F(MainFormTest, WindowFrameAndPagesInOrder) {
  TMainForm& form = Start();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("VRX-Сервис 1.3"));
  EXPECT_EQ(form.size(), QSize(827, 631));
  EXPECT_EQ(form.minimumSize(), QSize(689, 500));
  auto* pages = Find<QTabWidget>("PageControl1");
  const QStringList captions = {"Инициализация VRX", "Сервис",           "Текущие параметры",
                                "Доп. интерфейс",    "Инициализация RQ", "Текущие параметры RQ"};
  ASSERT_EQ(pages->count(), captions.size());
  for (int i = 0; i < pages->count(); ++i) {
    EXPECT_EQ(pages->tabText(i), captions[i]);
    EXPECT_EQ(pages->widget(i)->objectName(), QStringLiteral("TabSheet%1").arg(i + 1));
  }
  EXPECT_EQ(pages->currentIndex(), 0);

  auto* types = Find<QComboBox>("cbDeviceType");
  EXPECT_EQ(types->count(), 34);
  EXPECT_EQ(types->currentText(), QStringLiteral("VRX-L12-1.0"));
}

// The program's own window appears with the first tab only; the other tabs, with the write
// buttons' tooltips, follow its first paint, or come at once when input arrives before it.
TEST_F(MainFormTest, TheOtherTabsFollowTheFirstPaintOrTheFirstInput) {
  for (bool inputFirst : {false, true}) {
    SCOPED_TRACE(inputFirst);
    TMainForm& form = Start({}, TMainForm::PageBuild::RestAfterFirstPaint);
    ASSERT_NE(form.findChild<QWidget*>("bbInitialize"), nullptr);
    EXPECT_EQ(form.findChild<QWidget*>("CurrentTab"), nullptr);
    EXPECT_EQ(form.findChild<QWidget*>("bnInitExit"), nullptr);
    if (inputFirst) {
      QTest::keyClick(Find<QComboBox>("cbDeviceType"), Qt::Key_Down);
      EXPECT_EQ(Find<QComboBox>("cbDeviceType")->currentText(), QStringLiteral("VRX-L12-1.1"));
    } else {
      form.show();
      QTRY_VERIFY(form.findChild<QWidget*>("bnInitExit") != nullptr);
    }
    EXPECT_TRUE(Find<QWidget>("TabSheet3")->isAncestorOf(Find<QWidget>("CurrentTab")));
    EXPECT_FALSE(Find<QWidget>("bnInitExit")->toolTip().isEmpty());
    EXPECT_TRUE(messages_.All().empty());
  }
}

TEST_F(MainFormTest, ServiceTabsShowOnlyForServiceStaff) {
  for (bool service : {false, true}) {
    SCOPED_TRACE(service);
    StartupOptions options;
    options.service = service;
    Start(options);
    auto* pages = Find<QTabWidget>("PageControl1");
    const bool expected[] = {true, service, true, true, service, service};
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(pages->isTabVisible(i), expected[i]) << i;
  }
}

TEST_F(MainFormTest, FirstStartSelectsCom1At4800AndWritesNothing) {
  Start();
  EXPECT_EQ(Find<QComboBox>("cbComSelector")->currentText(), QStringLiteral("COM1"));
  EXPECT_EQ(Find<QComboBox>("cbComSpeed")->currentText(), QStringLiteral("4800"));
  EXPECT_EQ(events_->log, QStringList{"open /dev/ttyS0 4800"});
  EXPECT_TRUE(Settings().allKeys().isEmpty());
  EXPECT_TRUE(messages_.All().empty());
}

TEST_F(MainFormTest, StoredValuesSelectClampedItems) {
  const struct {
    QVariant comNumber, baudRate;
    const char* port;
    const char* speed;
    const char* opened;
  } cases[] = {
      {9, 0, "COM4", "4800", "open /dev/ttyS3 4800"},
      {0, 1, "COM1", "9600", "open /dev/ttyS0 9600"},
      {-1, 5, "COM1", "9600", "open /dev/ttyS0 9600"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.port);
    Stop();
    {
      QSettings settings = Settings();
      settings.clear();
      settings.setValue("ComNumber", c.comNumber);
      if (c.baudRate.isValid())
        settings.setValue("BaudRate", c.baudRate);
    }
    events_->log.clear();
    Start();
    EXPECT_EQ(Find<QComboBox>("cbComSelector")->currentText(), c.port);
    EXPECT_EQ(Find<QComboBox>("cbComSpeed")->currentText(), c.speed);
    EXPECT_EQ(events_->log.value(0), c.opened);
  }
}

TEST_F(MainFormTest, ChoosingASpeedSavesAndReopensThePort) {
  Start();
  auto* speed = Find<QComboBox>("cbComSpeed");
  events_->log.clear();
  QTest::keyClick(speed, Qt::Key_Down);
  EXPECT_EQ(speed->currentText(), QStringLiteral("9600"));
  EXPECT_EQ(events_->log, (QStringList{"close", "open /dev/ttyS0 9600", "wait 50", "close",
                                       "open /dev/ttyS0 9600"}));
  EXPECT_EQ(Settings().value("ComNumber").toInt(), 1);
  EXPECT_EQ(Settings().value("BaudRate").toInt(), 1);

  events_->log.clear();
  QTest::keyClick(speed, Qt::Key_Up);
  EXPECT_EQ(events_->log, (QStringList{"close", "open /dev/ttyS0 4800"}));
  EXPECT_EQ(Settings().value("BaudRate").toInt(), 0);

  events_->log.clear();
  auto* selector = Find<QComboBox>("cbComSelector");
  QTest::keyClick(selector, Qt::Key_End);
  EXPECT_EQ(events_->log, (QStringList{"close", "open /dev/ttyS3 4800"}));
  EXPECT_EQ(Settings().value("ComNumber").toInt(), 4);
  EXPECT_EQ(selector->toolTip(), QStringLiteral("/dev/ttyS3"));
}

TEST_F(MainFormTest, StatusLineGivesTheReasonAPortDidNotOpen) {
  events_->openSucceeds = false;
  Start();
  EXPECT_EQ(Find<QLabel>("lbPortStatus")->text(),
            QStringLiteral("COM1 → /dev/ttyS0 — не открыт: Нет такого устройства"));
  EXPECT_TRUE(messages_.All().empty());
  EXPECT_FALSE(context_->connection.port.IsOpen());
}

TEST_F(MainFormTest, StatusLineSaysWhenTheTraceFileStopsTakingTheTrace) {
  StartupOptions options;
  options.traceFile = QStringLiteral("/dev/full");
  Start(options);
  QString error;
  const std::unique_ptr<LineTrace> trace = LineTrace::Open(options.traceFile, &error);
  ASSERT_TRUE(trace) << error.toStdString();
  TComPort& port = context_->connection.port;
  port.SetTrace(trace.get());
  EXPECT_TRUE(context_->RunAction([&] { port.BeginExchange(QStringLiteral("command 5")); }));
  EXPECT_EQ(Find<QLabel>("lbPortStatus")->text(),
            QStringLiteral("COM1 → /dev/ttyS0; трассировка: /dev/full (не удалось записать: No "
                           "space left on device)"));
  port.SetTrace(nullptr);
}

TEST_F(MainFormTest, FunctionKeysReachHelpAndPictureFromAnyControl) {
  ProbedMainForm& form = Start();
  Find<QTabWidget>("PageControl1")->setCurrentIndex(TMainForm::kCurrentPage);
  auto* speed = Find<QComboBox>("cbComSpeed");
  QTest::keyClick(speed, Qt::Key_F1);
  QTest::keyClick(Find<QComboBox>("cbDeviceType"), Qt::Key_F2);
  EXPECT_EQ(form.helpPages, std::vector<int>{2});
  EXPECT_EQ(form.pictures, 1);
  EXPECT_EQ(speed->currentIndex(), 0);
}

TEST_F(MainFormTest, ExitClosesTheWindowAndTheDestroyedWindowClosesThePort) {
  TMainForm& form = Start();
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QTest::mouseClick(Find<QPushButton>("bnExit"), Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  events_->log.clear();
  form_.reset();
  EXPECT_EQ(events_->log, QStringList{"close"});
}

TEST(MainFormErrorTest, AnErrorInAButtonHandlerShowsTheErrorBoxAndTheWindowGoesOn) {
  QTemporaryDir dir;
  auto events = std::make_shared<test::PortEvents>();
  test::RecordingPacer pacer(events);
  WidgetCursor cursor;
  WidgetMessages messages;
  RunContext context(pacer, cursor, messages, test::PlainNaming(),
                     std::make_unique<test::FakeSerialBackend>(events), dir.filePath("t.ini"));
  TMainForm form(context, {});
  form.show();
  auto* button = new QPushButton("Считать", form.findChild<QWidget*>("TabSheet1"));
  ConnectAction(button, &QPushButton::clicked, context, [&] {
    cursor.Set(CursorShape::Wait);
    throw EComPort("Нет ответа от прибора");
  });
  button->show();

  QString shownText, shownCaption;
  auto seen = test::OnNextModal([&](QWidget* box) {
    shownCaption = box->windowTitle();
    shownText = box->findChild<QLabel*>("Message")->text();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    QTest::mouseClick(box->findChild<QPushButton*>("btn0"), Qt::LeftButton);
  });
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(*seen);
  EXPECT_EQ(shownCaption, QStringLiteral("Ошибка"));
  EXPECT_EQ(shownText, QStringLiteral("Нет ответа от прибора"));
  EXPECT_EQ(cursor.Current(), CursorShape::Normal);

  // The window still answers: a speed change goes through to the port.
  events->log.clear();
  QTest::keyClick(form.findChild<QComboBox*>("cbComSpeed"), Qt::Key_Down);
  EXPECT_EQ(events->log.value(1), QStringLiteral("open /dev/ttyS0 9600"));
  EXPECT_TRUE(form.isVisible());
}

TEST(MainFormDemoTest, DemoInstrumentAnswersOnCom1AndTheStatusLineSaysSo) {
  QTemporaryDir dir;
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  RunContext context(pacer, cursor, messages, test::PlainNaming(), {}, dir.filePath("t.ini"));
  StartupOptions options;
  options.demoType = "VRX-L13-2.2";
  auto demo = StartDemoInstrument(context, options.demoType);
  TMainForm form(context, options);
  EXPECT_EQ(form.findChild<QLabel*>("lbPortStatus")->text(),
            QStringLiteral("COM1 → %1 (демо: VRX-L13-2.2)")
                .arg(QString::fromStdString(demo->SlavePath())));
  ASSERT_TRUE(context.connection.port.IsOpen());
  context.connection.link.IdentifyDevice();
  ASSERT_NE(context.connection.state.DeviceType, nullptr);
  EXPECT_STREQ(context.connection.state.DeviceType->Name, "VRX-L13-2.2");
  EXPECT_TRUE(messages.All().empty());
}

}  // namespace
}  // namespace vrx
