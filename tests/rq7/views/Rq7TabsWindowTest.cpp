#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "cli/VrxCtl.h"
#include "current/views/CurrentTab.h"
#include "rq7/views/Rq7CurrentTab.h"
#include "rq7/views/Rq7InitTab.h"
#include "sim/EmulatedInstrument.h"
#include "sim/Rq7Unit.h"
#include "support/QtPrinters.h"
#include "support/Rq7TestSupport.h"
#include "support/ScriptedConfirmation.h"

namespace vrx {
namespace {

QDateTime UnitClock() {
  return QDateTime(QDate(2025, 3, 4), QTime(13, 33, 10));
}

// Both tabs over one emulated unit on COM1.
struct Window {
  sim::EmulatedInstrument unit{
      std::make_unique<sim::Rq7Unit>(sim::Rq7UnitConfig{.clock = UnitClock})};
  QTemporaryDir dir;
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  test::ScriptedConfirmation confirmation;
  RunContext context{pacer, cursor, messages, PortNaming(), {}, dir.filePath("tool.ini")};
  Rq7Workspace workspace;
  Rq7InitTab init{workspace, context, [] { return false; }};
  // The heat calculator's readout tab: its radio buttons choose the path, its read button and
  // Timer2 are the lock-out the unit's readout holds.
  CurrentTab params{context};
  ReadLockout& lockout = params.Lockout();
  Rq7CurrentTab current{context, lockout, [this] { return params.ChosenPath(); }};

  Window() {
    unit.Device().SetImage(test::HandWrittenUnitBlock());
    static_cast<sim::Rq7Unit&>(unit.Device()).SetActiveErrors(0x01, 0x08);
    context.timeConfirmation = &confirmation;
    context.connection.port.Naming().SetOverride(1, QString::fromStdString(unit.SlavePath()));
    context.connection.port.Open(1, 4800, 1500);
  }
  ~Window() { context.connection.port.Close(); }

  template <typename T>
  T* Find(QWidget& tab, const QString& name) {
    T* widget = tab.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }
};

TEST(Rq7Tabs, InitTabShowsTheBlockAndWritesWhatItShows) {
  Window w;
  QTest::mouseClick(w.Find<QPushButton>(w.init, "bbRQRead"), Qt::LeftButton);
  ASSERT_TRUE(w.messages.Texts().isEmpty()) << w.messages.Texts().join(' ').toStdString();
  EXPECT_EQ(w.Find<QLineEdit>(w.init, "RQWTimeEdit")->displayText(), "12345:67");
  EXPECT_EQ(w.Find<QLineEdit>(w.init, "meV1")->displayText(), "00012345,6789");
  EXPECT_EQ(w.Find<QLineEdit>(w.init, "meV1l")->text(), "0,7500");
  EXPECT_EQ(w.Find<QComboBox>(w.init, "cbPW1")->currentText(), "0,01");
  EXPECT_TRUE(w.Find<QCheckBox>(w.init, "cbOut51")->isChecked());
  EXPECT_FALSE(w.Find<QCheckBox>(w.init, "cbVt12")->isEnabled());
  EXPECT_FALSE(w.Find<QCheckBox>(w.init, "cbVt11")->isEnabled());
  EXPECT_TRUE(w.Find<QCheckBox>(w.init, "cbVt11")->isChecked());
  const auto* group = w.Find<QWidget>(w.init, "rgErr21");
  for (QRadioButton* item : group->findChildren<QRadioButton*>())
    EXPECT_EQ(item->isChecked(), item->text() == "Акт - 1") << item->text().toStdString();
  EXPECT_EQ(w.Find<QLabel>(w.init, "l1")->text(), "15 сек/сутки");

  w.Find<QSlider>(w.init, "TrackBar1")->setValue(-20);
  EXPECT_EQ(w.Find<QLabel>(w.init, "l1")->text(), "-20 сек/сутки");
  w.messages.Answer(2);  // stay in initialization mode
  QTest::mouseClick(w.Find<QPushButton>(w.init, "bbRQInitialize"), Qt::LeftButton);
  EXPECT_EQ(w.messages.Texts(),
            QStringList{"Прибор проинициализирован успешно. Выйти из режима инициализации?"});
  // The block as read, but for the PC time stamped into its first 5 bytes.
  std::vector<uint8_t> expected = test::HandWrittenUnitBlock();
  expected[72] = 0x20;
  ASSERT_EQ(w.unit.Device().Writes().size(), 1u);
  std::vector<uint8_t> written = w.unit.Device().Writes()[0].data;
  std::copy_n(expected.begin(), 5, written.begin());
  EXPECT_EQ(test::HexOf(written), test::HexOf(expected));
}

TEST(Rq7Tabs, CurrentTabShowsWhatTheCompanionPrintsAndLocksTheReadButtons) {
  Window w;
  auto* button = w.Find<QPushButton>(w.current, "Button1");
  auto* heatButton = w.Find<QPushButton>(w.params, "bnReadCurParams");
  auto* timer2 = w.params.findChild<QTimer*>("Timer2");
  ASSERT_NE(timer2, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_TRUE(w.messages.Texts().isEmpty()) << w.messages.Texts().join(' ').toStdString();
  EXPECT_FALSE(button->isEnabled());
  EXPECT_FALSE(heatButton->isEnabled());
  EXPECT_TRUE(timer2->isActive());

  QJsonObject shown;
  for (const QString& field : Rq7ValueFields())
    shown.insert(field, w.Find<QLabel>(w.current, field)->text());
  EXPECT_EQ(shown.value("stRQErrors1").toString(), "Линия 1\r\nv2 > vmax\r\n");

  w.context.connection.port.Close();
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  const int code = RunVrxCtl(
      {"vrxctl", "--port", QString::fromStdString(w.unit.SlavePath()), "rq", "current", "--json"},
      outStream, errStream);
  outStream.flush();
  ASSERT_EQ(code, 0) << err.toStdString();
  EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).object(), shown);

  // Timer2 of the current-parameters tab gives both buttons back.
  QSignalSpy released(&w.lockout, &ReadLockout::released);
  EXPECT_TRUE(released.wait(ReadLockout::kTimer2IntervalMs + 1000));
  EXPECT_TRUE(button->isEnabled());
  EXPECT_TRUE(heatButton->isEnabled());
  EXPECT_FALSE(timer2->isActive());
}

TEST(Rq7Tabs, ThroughTheOpxAdapterTheButtonComesBackAtOnce) {
  Window w;
  w.Find<QRadioButton>(w.params, "rbOPX")->setChecked(true);
  auto* button = w.Find<QPushButton>(w.current, "Button1");
  QTest::mouseClick(button, Qt::LeftButton);
  // A pseudo-terminal has no DSR line: the hint is shown and the readout goes on.
  EXPECT_EQ(w.messages.Texts(), QStringList{"Подключите адаптер OPX к порту ПК"});
  EXPECT_EQ(w.Find<QLabel>(w.current, "stRQRTC")->text(), "04.03.25 13:33");
  EXPECT_TRUE(button->isEnabled());
  EXPECT_TRUE(w.Find<QPushButton>(w.params, "bnReadCurParams")->isEnabled());
  EXPECT_FALSE(w.params.findChild<QTimer*>("Timer2")->isActive());
}

}  // namespace
}  // namespace vrx
