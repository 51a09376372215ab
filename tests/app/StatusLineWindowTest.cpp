// The window's account of its actions: the status line while an action talks to the instrument
// and after it ended (a read, a read that changed nothing, a failure, a readout through the OPX
// adapter), input made while an action blocks the window, the window's size kept between runs,
// and the tooltips of the buttons that write to an instrument.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainForm.h"
#include "app/WriteButtonTips.h"
#include "journal/views/JournalDialog.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"
#include "sim/OpxAdapterLine.h"
#include "support/FakePortLine.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

// Keeps every text the status line shows while the actions run: the window's own observer
// has put it there by the time this one, added later, is told.
struct StatusRecorder : ActionObserver {
  explicit StatusRecorder(const QLabel& line) : line(line) {}
  void ActionBegins() override {}
  void ActionStep(LinkStep) override {
    if (shown.isEmpty() || shown.last() != line.text())
      shown << line.text();
  }
  void ActionEnds(const ActionOutcome&) override {}

  const QLabel& line;
  QStringList shown;
};

// Whether `text` is `prefix` and a time of day between `from` and `to`.
bool SaysAt(const QString& text, const QString& prefix, const QTime& from, const QTime& to) {
  if (!text.startsWith(prefix))
    return false;
  const QTime at = QTime::fromString(text.mid(prefix.size(), 8), QStringLiteral("HH:mm:ss"));
  return at.isValid() && from.addMSecs(-from.msec()) <= at && at <= to;
}

// A pacer that, at its first pause after being armed, posts a click on a button and a key to an
// edit, as if the engineer used them while the exchange blocked the window.
struct ImpatientPacer : RealPacer {
  void Wait(int ms) override {
    if (button != nullptr) {
      Click(*button);
      QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_7, {}, "7"));
      QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyRelease, Qt::Key_7, {}, "7"));
      button = nullptr;
    }
    RealPacer::Wait(ms);
  }
  static void Click(QWidget& target) {
    const QPointF centre = QRectF(target.rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QCoreApplication::postEvent(
          &target, new QMouseEvent(type, centre, target.mapToGlobal(centre), Qt::LeftButton,
                                   Qt::LeftButton, Qt::NoModifier));
    }
  }
  QWidget* button = nullptr;
  QWidget* edit = nullptr;
};

struct Window {
  explicit Window(std::unique_ptr<SerialBackend> backend = {},
                  const QString& type = QStringLiteral("VRX-L13-2.2")) {
    if (backend == nullptr) {
      emulator = sim::EmulatedInstrument::Start(type.toStdString());
      naming.SetOverride(1, QString::fromStdString(emulator->SlavePath()));
    }
    context = std::make_unique<RunContext>(pacer, cursor, messages, naming, std::move(backend),
                                           dir.filePath(QStringLiteral("tool.ini")));
    form = std::make_unique<TMainForm>(*context, StartupOptions{});
    recorder = std::make_unique<StatusRecorder>(*Find<QLabel>("lbStatus"));
    context->AddObserver(*recorder);
  }
  ~Window() { context->RemoveObserver(*recorder); }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    return form->findChild<T*>(QString::fromLatin1(name));
  }
  QString Status() const { return Find<QLabel>("lbStatus")->text(); }
  // Clicks the button and returns the times just before and after.
  std::pair<QTime, QTime> Click(const char* button) {
    const QTime before = QTime::currentTime();
    Find<QPushButton>(button)->click();
    return {before, QTime::currentTime()};
  }

  QTemporaryDir dir;
  ImpatientPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  PortNaming naming = test::PlainNaming();
  std::unique_ptr<sim::EmulatedInstrument> emulator;
  std::unique_ptr<RunContext> context;
  std::unique_ptr<TMainForm> form;
  std::unique_ptr<StatusRecorder> recorder;
};

TEST(StatusLineWindowTest, SaysWhatAReadDoesAndHowItEnded) {
  Window window;
  auto [before, after] = window.Click("bbReadIniParams");
  ASSERT_TRUE(window.messages.All().empty()) << window.messages.Texts().join('\n').toStdString();
  EXPECT_TRUE(SaysAt(window.Status(), QStringLiteral("Считано "), before, after))
      << window.Status().toStdString();
  EXPECT_EQ(window.Status().size(), QStringLiteral("Считано 11:25:03").size());
  EXPECT_EQ(window.recorder->shown, QStringList({"Опознание прибора…", "Чтение настроек…"}));

  // The same instrument read again: the tab shows what it showed.
  std::tie(before, after) = window.Click("bbReadIniParams");
  EXPECT_TRUE(SaysAt(window.Status(), QStringLiteral("Считано "), before, after));
  EXPECT_TRUE(window.Status().endsWith(QStringLiteral(": значения не изменились")))
      << window.Status().toStdString();

  // A failed read: the first line of what the error box said.
  window.emulator->Device().Arm(sim::Fault::NoReply, 4);
  window.Click("bbReadIniParams");
  ASSERT_EQ(window.messages.Texts().size(), 1);
  EXPECT_EQ(window.Status(), window.messages.Texts().last());
  EXPECT_EQ(window.Status(), QStringLiteral("Нет ответа от прибора"));
}

TEST(StatusLineWindowTest, AReadoutThroughTheOpxAdapterSaysSo) {
  sim::HeatCalculatorConfig config;
  config.typeIndex = sim::HeatCalculator::TypeIndexByName("VRX-L13-2.2");
  sim::HeatCalculator calculator(config);
  // The window pauses in real time; the adapter's wake-up pulse is timed on the same clock.
  QElapsedTimer clock;
  clock.start();
  auto line =
      std::make_unique<sim::OpxAdapterLine>(calculator, [&clock] { return clock.elapsed(); });
  line->SetDsr(true);
  Window window(std::move(line));
  window.form->findChild<QTabWidget*>(QStringLiteral("PageControl1"))
      ->setCurrentIndex(TMainForm::kCurrentPage);
  window.Find<QRadioButton>("rbOPX")->setChecked(true);
  const auto [before, after] = window.Click("bnReadCurParams");
  ASSERT_TRUE(window.messages.All().empty()) << window.messages.Texts().join('\n').toStdString();
  EXPECT_EQ(window.recorder->shown,
            QStringList({"Опрос через OPX…", "Чтение текущих параметров…"}));
  EXPECT_TRUE(SaysAt(window.Status(), QStringLiteral("Считано "), before, after))
      << window.Status().toStdString();
}

// A click and a key made while "Считать" blocks the window are dropped; made while no action
// runs, the same click reads again.
TEST(StatusLineWindowTest, InputMadeWhileAnActionBlocksTheWindowIsDropped) {
  Window window;
  auto* read = window.Find<QPushButton>("bbReadIniParams");
  auto* number = window.Find<QLineEdit>("DevNoEdit");
  window.form->show();
  QSignalSpy clicks(read, &QPushButton::clicked);
  window.pacer.button = read;
  window.pacer.edit = number;
  read->click();
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(number->text(), QStringLiteral("1234"));

  ImpatientPacer::Click(*read);
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_TRUE(window.messages.All().empty()) << window.messages.Texts().join('\n').toStdString();
}

TEST(StatusLineWindowTest, TheWindowComesBackAtTheSizeAndPlaceItWasClosedAt) {
  QTemporaryDir dir;
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  RunContext context(pacer, cursor, messages, test::PlainNaming(), {},
                     dir.filePath(QStringLiteral("tool.ini")));
  const QRect placed(QPoint(30, 40), QSize(760, 540));
  {
    TMainForm form(context, StartupOptions{});
    form.show();
    form.setGeometry(placed);
    form.close();
  }
  TMainForm form(context, StartupOptions{});
  EXPECT_EQ(form.geometry(), placed);
}

// Every button of the table is in the window (or the journal dialog it opens) with its tooltip.
TEST(StatusLineWindowTest, EveryButtonThatWritesSaysWhatItWrites) {
  Window window;
  window.Find<QPushButton>("bnJournal")->click();
  QStringList missing;
  for (const QString& entry : WriteButtonsWithTips()) {
    const QString windowName = entry.section(u'/', 0, 0);
    const QString buttonName = entry.section(u'/', 1);
    bool found = false;
    for (const QAbstractButton* button : window.form->findChildren<QAbstractButton*>(buttonName)) {
      if (button->window()->objectName() == windowName) {
        found = true;
        EXPECT_EQ(button->toolTip(), WriteButtonTip(windowName, buttonName));
        EXPECT_FALSE(button->toolTip().isEmpty());
      }
    }
    if (!found)
      missing << entry;
  }
  EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
}

}  // namespace
}  // namespace vrx
