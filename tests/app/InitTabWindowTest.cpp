#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "app/DemoInstrument.h"
#include "app/MainForm.h"
#include "cli/VrxCtl.h"
#include "init/WorkspaceForm.h"
#include "support/DemoRun.h"
#include "support/FakePortLine.h"
#include "support/QtPrinters.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QJsonObject& form, std::ostream* os) {
  *os << QJsonDocument(form).toJson().toStdString();
}
QT_END_NAMESPACE

namespace vrx {
namespace {

// What the companion prints for the first tab after reading its own emulated instrument.
QJsonObject CompanionSettings(const QString& type) {
  QString printed, errors;
  QTextStream out(&printed), err(&errors);
  const int code = RunVrxCtl({"vrxctl", "--demo", type, "settings", "--json"}, out, err);
  out.flush();
  err.flush();
  EXPECT_EQ(code, 0) << errors.toStdString();
  return QJsonDocument::fromJson(printed.toUtf8()).object();
}

// The form file's name of a grid column.
QString FieldOfColumn(const QString& table, int column) {
  if (table == QLatin1String("cdsChannels"))
    return ChannelsTable::FieldName(ChannelsTable::GridColumns()[static_cast<size_t>(column)]);
  return QStringList{"Err", "Circuit1Test", "Circuit1R", "Circuit2Test", "Circuit2R"}.value(column);
}

// The values the widgets of the first tab show, keyed as the form file keys them.
QJsonObject ShownForm(const QWidget& window, const QJsonObject& keys) {
  QJsonObject form;
  for (auto key = keys.begin(); key != keys.end(); ++key) {
    QObject* control = window.findChild<QObject*>(key.key());
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      form.insert(key.key(), list->currentIndex() >= 0 ? QJsonValue(list->currentText())
                                                       : QJsonValue(QJsonValue::Null));
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
      form.insert(key.key(), box->isChecked());
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      form.insert(key.key(), edit->text());
    } else if (auto* table = qobject_cast<QAbstractItemModel*>(control)) {
      QJsonArray rows;
      for (int row = 0; row < table->rowCount(); ++row) {
        QJsonObject cells;
        for (int column = 0; column < table->columnCount(); ++column)
          cells.insert(FieldOfColumn(key.key(), column),
                       table->index(row, column).data().toString());
        rows.append(cells);
      }
      form.insert(key.key(), rows);
    }
  }
  return form;
}

class InitTabReading : public testing::TestWithParam<const char*> {};

TEST_P(InitTabReading, ReadFillsTheTabAsTheCompanionPrintsIt) {
  test::DemoRun run(QString::fromLatin1(GetParam()));
  TMainForm form(run.context, {});

  QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("bbReadIniParams")),
                    Qt::LeftButton);
  ASSERT_TRUE(run.messages.All().empty()) << run.messages.Texts().join('\n').toStdString();
  const QJsonObject expected = CompanionSettings(GetParam());
  ASSERT_EQ(expected.value("cbDeviceType").toString(), GetParam());
  EXPECT_EQ(ToForm(form.Workspace()), expected);
  EXPECT_EQ(ShownForm(form, expected), expected);
}

INSTANTIATE_TEST_SUITE_P(EachModel, InitTabReading,
                         testing::Values("VRX-L1-2.1", "VRX-L2-1.2", "VRX-L3-2.0", "VRX-L5-2.2",
                                         "VRX-L12-1.1", "VRX-L13-2.2"));

class InitTabWindow : public ::testing::Test {
 protected:
  template <typename T = QWidget>
  T* Find(const char* name) {
    // The first tab's controls first: the calibration dialogs have a grid "DBGrid1" of their own.
    const QString objectName = QString::fromLatin1(name);
    T* widget = form_.findChild<QWidget*>(QStringLiteral("TabSheet1"))->findChild<T*>(objectName);
    if (widget == nullptr)
      widget = form_.findChild<T*>(objectName);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Turns the wheel one notch over a widget, as the window system delivers it; true when the
  // widget itself received the event.
  bool Wheel(QWidget* target, int delta) {
    struct Seen : QObject {
      bool wheel = false;
      bool eventFilter(QObject*, QEvent* event) override {
        wheel = wheel || event->type() == QEvent::Wheel;
        return false;
      }
    } seen;
    target->installEventFilter(&seen);
    const QPointF centre = QRectF(target->rect()).center();
    QWheelEvent event(centre, target->mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
    target->removeEventFilter(&seen);
    return seen.wheel;
  }

  QTemporaryDir dir_;
  std::shared_ptr<test::PortEvents> events_ = std::make_shared<test::PortEvents>();
  test::RecordingPacer pacer_{events_};
  PlainCursor cursor_;
  RecordingMessages messages_;
  RunContext context_{pacer_,
                      cursor_,
                      messages_,
                      test::PlainNaming(),
                      std::make_unique<test::FakeSerialBackend>(events_),
                      dir_.filePath(QStringLiteral("tool.ini"))};
  TMainForm form_{context_, {}};
};

TEST_F(InitTabWindow, TheWheelStepsGridRowsAndNumberEditsAndLeavesOtherControlsAlone) {
  auto* grid = Find<QTableView>("DBGrid1");
  const ChannelsTable& channels = form_.Workspace().cdsChannels();
  ASSERT_GE(channels.RowCount(), 2);
  ASSERT_EQ(channels.CurrentRow(), 0);

  // Towards the user: the next row; the grid does not scroll by itself.
  EXPECT_FALSE(Wheel(grid->viewport(), -120));
  EXPECT_EQ(channels.CurrentRow(), 1);
  EXPECT_EQ(grid->currentIndex().row(), 1);
  Wheel(grid->viewport(), 120);
  EXPECT_EQ(channels.CurrentRow(), 0);

  auto* circuits = Find<QTableView>("DBGrid2");
  Wheel(circuits->viewport(), -120);
  Wheel(circuits->viewport(), -120);
  EXPECT_EQ(circuits->currentIndex().row(), 2);

  auto* address = Find<QLineEdit>("DevAddrEdit");
  EXPECT_FALSE(Wheel(address, 120));
  EXPECT_EQ(address->text(), QStringLiteral("2"));
  Wheel(address, -120);
  EXPECT_EQ(form_.Workspace().Controls().DevAddrEdit.text, QStringLiteral("1"));

  // Any other control gets the wheel and does with it what it always does.
  auto* months = Find<QComboBox>("cbSummerDst");
  EXPECT_TRUE(Wheel(months, -120));
  EXPECT_TRUE(Wheel(Find("cwGroup"), -120));
  EXPECT_TRUE(messages_.All().empty());
}

TEST_F(InitTabWindow, ShowingTheTabPutsTheFocusIntoTheDeviceNumber) {
  form_.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  auto* pages = Find<QTabWidget>("PageControl1");
  pages->setCurrentIndex(TMainForm::kCurrentPage);
  Find("cbComSpeed")->setFocus();
  pages->setCurrentIndex(TMainForm::kInitPage);
  EXPECT_EQ(QApplication::focusWidget(), Find("DevNoEdit"));
}

}  // namespace
}  // namespace vrx
