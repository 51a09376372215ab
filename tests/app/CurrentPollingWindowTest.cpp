// "Опрос каждые N с" in the window against the demo instrument, on a clock the test moves: every
// readout puts a point on each chosen series and a row into the CSV log, a failed one a mark on
// the time axis, and an action started during a readout waits for it.

#include <gtest/gtest.h>

#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QXYSeries>
#include <utility>

#include "app/MainForm.h"
#include "current/views/CurrentTab.h"
#include "sim/HeatCalculator.h"
#include "support/ChosenFile.h"
#include "support/DemoRun.h"

namespace vrx {
namespace {

// Writes down the beginnings and ends of actions, to tell actions in turn from nested ones; at
// the first exchange it sees, runs `during` once.
struct ActionOrder : ActionObserver {
  void ActionBegins() override { order += '('; }
  void ActionStep(LinkStep) override {
    if (during)
      std::exchange(during, nullptr)();
  }
  void ActionEnds(const ActionOutcome&) override { order += ')'; }
  std::string order;
  std::function<void()> during;
};

struct PollingWindow {
  PollingWindow() {
    run.context.fileDialogs = &files;
    tab = form.findChild<CurrentTab*>(QStringLiteral("CurrentTab"));
    tab->Polling().now = [this] { return clock; };
    // The timer's own ticks would come an hour apart; the test ticks.
    Find<QSpinBox>("sePollSeconds")->setValue(3600);
    QTest::mouseClick(Find<QCheckBox>("cbPolling"), Qt::LeftButton);
  }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    return form.findChild<T*>(QString::fromLatin1(name));
  }
  void Poll() {
    clock = clock.addSecs(2);
    QMetaObject::invokeMethod(Find<QTimer>("tmPoll"), "timeout");
  }
  // The points of the chart's series of that name; none when there is no such series.
  QList<QPointF> Points(const QString& name) const {
    for (QAbstractSeries* series : Find<QChartView>("cvTrend")->chart()->series()) {
      if (series->objectName() == name)
        return static_cast<QXYSeries*>(series)->points();
    }
    ADD_FAILURE() << "no series " << name.toStdString();
    return {};
  }
  QList<QPointF> Line(const char* cell) const { return Points(QStringLiteral("sr_") + cell); }
  QStringList Rows() const {
    QFile file(files.path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  }
  sim::HeatCalculator& Calculator() {
    return static_cast<sim::HeatCalculator&>(run.instrument->Device());
  }

  test::DemoRun run{QStringLiteral("VRX-L13-2.2")};
  test::ChosenFile files;
  TMainForm form{run.context, StartupOptions{}};
  CurrentTab* tab = nullptr;
  QDateTime clock{QDate(2026, 12, 9), QTime(10, 0)};
};

TEST(CurrentPollingWindow, EveryReadoutIsAPointOfEachChosenSeriesAndARowAFailureAMark) {
  PollingWindow window;
  window.Poll();
  // The series are the channels' temperatures, flows and powers; g2 is left out.
  window.Find<QCheckBox>("cb_stgt2")->setChecked(false);
  EXPECT_EQ(window.Find<QCheckBox>("cb_stT1")->text(), QStringLiteral("t1, °C"));
  EXPECT_EQ(window.Find<QCheckBox>("cb_stgt5")->text(), QStringLiteral("g5, т/ч"));
  EXPECT_EQ(window.Find<QCheckBox>("cb_stW3")->text(), QStringLiteral("W3, ГКал/ч"));
  window.files.path = window.run.dir.filePath(QStringLiteral("log.csv"));
  QTest::mouseClick(window.Find<QPushButton>("bnCsvLog"), Qt::LeftButton);
  EXPECT_EQ(window.Find<QLabel>("lbCsvFile")->text(), window.files.path);
  for (int done = 1; done < 30; ++done)
    window.Poll();
  ASSERT_TRUE(window.run.messages.All().empty())
      << window.run.messages.Texts().join('\n').toStdString();
  for (const char* cell : {"stT1", "stT2", "stT3", "stgt1", "stgt3", "stgt5", "stW1", "stW3"}) {
    SCOPED_TRACE(cell);
    const QList<QPointF> points = window.Line(cell);
    ASSERT_EQ(points.size(), 30);
    // 10:00:02 to 10:01:00, 2 s apart.
    EXPECT_EQ(points.front().x(),
              QDateTime(QDate(2026, 12, 9), QTime(10, 0, 2)).toMSecsSinceEpoch());
    EXPECT_EQ(points.back().x() - points.front().x(), 58000);
  }
  EXPECT_TRUE(window.Line("stgt2").isEmpty());
  // The header and the 29 readouts after the log was chosen.
  QStringList rows = window.Rows();
  ASSERT_EQ(rows.size(), 30);
  EXPECT_TRUE(rows[0].startsWith(QStringLiteral("time,error,stVRXType,")));
  EXPECT_TRUE(rows[29].startsWith(QStringLiteral("2026-12-09 10:01:00,,VRX-L13-2.2,")));

  window.Calculator().Arm(sim::Fault::WrongChecksum, 8);
  window.Poll();
  window.Poll();
  // No error box: the mark and the row tell of the failure, and the next readout comes.
  EXPECT_TRUE(window.run.messages.All().empty());
  const QList<QPointF> marks = window.Points(QStringLiteral("srFailures"));
  ASSERT_EQ(marks.size(), 1);
  EXPECT_EQ(marks[0].x(), QDateTime(QDate(2026, 12, 9), QTime(10, 1, 2)).toMSecsSinceEpoch());
  EXPECT_EQ(window.Line("stT1").size(), 31);
  rows = window.Rows();
  ASSERT_EQ(rows.size(), 32);
  EXPECT_EQ(rows[30], QStringLiteral("2026-12-09 10:01:02,Несовпадение контрольной суммы"));

  // Polling stops with "Сброс" and closes the log; the chart stays.
  QTest::mouseClick(window.Find<QPushButton>("bnResetCurParams"), Qt::LeftButton);
  EXPECT_FALSE(window.Find<QCheckBox>("cbPolling")->isChecked());
  EXPECT_EQ(window.Find<QLabel>("lbCsvFile")->text(), QString());
  window.Poll();
  EXPECT_EQ(window.Line("stT1").size(), 31);
  EXPECT_EQ(window.Rows().size(), 32);
}

TEST(CurrentPollingWindow, ReadOfTheFirstTabDuringAReadoutWaitsForItAndPollingGoesOn) {
  PollingWindow window;
  window.Poll();
  ActionOrder order;
  window.run.context.AddObserver(order);
  auto* read = window.Find<QPushButton>("bbReadIniParams");
  const QString before = window.Find<QLineEdit>("DevNoEdit")->text();
  // The button is pressed while the readout talks to the instrument, as the user would.
  order.during = [read] { QTimer::singleShot(0, read, [read] { read->click(); }); };
  window.Poll();
  EXPECT_EQ(order.order, "()");
  EXPECT_EQ(window.Find<QLineEdit>("DevNoEdit")->text(), before);
  QTest::qWait(10);
  EXPECT_EQ(order.order, "()()");
  EXPECT_TRUE(window.run.messages.All().empty())
      << window.run.messages.Texts().join('\n').toStdString();
  EXPECT_EQ(window.Find<QLineEdit>("DevNoEdit")->text(), QStringLiteral("1234"));
  window.Poll();
  EXPECT_EQ(order.order, "()()()");
  EXPECT_EQ(window.Line("stT1").size(), 3);
  window.run.context.RemoveObserver(order);
}

}  // namespace
}  // namespace vrx
