// At the window's least size every named label and cell shows its text whole: the text's width
// in the widget's font against the room the widget gives it, after a read and for the widest
// text a cell can show.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainForm.h"
#include "calibration/views/TFormCalibrTempr.h"
#include "calibration/views/TformCalibrPressure.h"
#include "current/CurrentDecoder.h"
#include "current/CurrentDisplay.h"
#include "sim/EmulatedInstrument.h"
#include "support/FakePortLine.h"
#include "widgets/views/TwoLineTitles.h"

namespace vrx {
namespace {

// The room a header gives a title beside the column's width, and a cell its text.
int TitleMargins(const QWidget& grid) {
  return 2 * grid.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &grid);
}
int CellMargins(const QWidget& grid) {
  return 2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
}

// The room a label gives its text.
int Room(const QLabel& label) {
  return label.contentsRect().width() - 2 * label.margin();
}

// The parts of the text that must fit on one line: its lines, or its words where it wraps.
QStringList Pieces(const QLabel& label, const QString& text) {
  return text.split(
      QRegularExpression(label.wordWrap() ? QStringLiteral("\\s+") : QStringLiteral("[\r\n]+")),
      Qt::SkipEmptyParts);
}

// Every piece of `text` that is wider than the label gives it room.
QStringList Cut(const QLabel& label, const QString& text) {
  QStringList cut;
  for (const QString& piece : Pieces(label, text)) {
    if (label.fontMetrics().horizontalAdvance(piece) > Room(label))
      cut << QStringLiteral("%1: \"%2\" needs %3, has %4")
                 .arg(label.objectName(), piece)
                 .arg(label.fontMetrics().horizontalAdvance(piece))
                 .arg(Room(label));
  }
  return cut;
}

// Every named label shown under `root` that cuts its text.
QStringList CutLabels(const QWidget& root) {
  QStringList cut;
  for (const QLabel* label : root.findChildren<QLabel*>()) {
    if (!label->objectName().isEmpty() && label->isVisibleTo(root.window()))
      cut << Cut(*label, label->text());
  }
  return cut;
}

struct LeastWindow {
  LeastWindow() {
    form.resize(form.minimumSize());
    form.show();
  }
  void Read(int page, const char* button) {
    form.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(page);
    form.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    QTest::qWait(50);
    ASSERT_TRUE(messages.All().empty()) << messages.Texts().join('\n').toStdString();
  }

  QTemporaryDir dir;
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  std::unique_ptr<sim::EmulatedInstrument> emulator = sim::EmulatedInstrument::Start("VRX-L13-2.2");
  PortNaming naming = [this] {
    PortNaming onEmulator = test::PlainNaming();
    onEmulator.SetOverride(1, QString::fromStdString(emulator->SlavePath()));
    return onEmulator;
  }();
  RunContext context{pacer, cursor, messages, naming, {}, dir.filePath(QStringLiteral("tool.ini"))};
  TMainForm form{context, StartupOptions{}};
};

TEST(TextFitWindowTest, TheCurrentValuesAreWholeAtTheLeastWindowSize) {
  LeastWindow window;
  window.Read(TMainForm::kCurrentPage, "bnReadCurParams");
  const QWidget* tab = window.form.findChild<QWidget*>(QStringLiteral("CurrentTab"));
  EXPECT_EQ(CutLabels(*tab), QStringList());
  // Whatever a cell may show: every digit the block holds, the longest model name.
  QStringList cut;
  for (const QString& name : CurrentDisplay::Names()) {
    const auto* label = tab->findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name.toStdString();
    for (const QString& text : WidestTexts(name))
      cut << Cut(*label, text);
  }
  EXPECT_EQ(cut, QStringList());
  EXPECT_FALSE(WidestTexts(QStringLiteral("stQ1")).isEmpty());
}

TEST(TextFitWindowTest, TheFirstTabIsWholeAtTheLeastWindowSize) {
  LeastWindow window;
  window.Read(TMainForm::kInitPage, "bbReadIniParams");
  const QWidget* tab = window.form.findChild<QWidget*>(QStringLiteral("InitTab"));
  EXPECT_EQ(CutLabels(*tab), QStringList());

  for (const char* name : {"DBGrid1", "DBGrid2"}) {
    auto* grid = tab->findChild<QTableView*>(QString::fromLatin1(name));
    const QAbstractItemModel& model = *grid->model();
    for (int column = 0; column < model.columnCount(); ++column) {
      if (grid->isColumnHidden(column))
        continue;
      const int room = grid->columnWidth(column);
      const QString title = model.headerData(column, Qt::Horizontal).toString();
      EXPECT_LE(
          TwoLineTitleWidth(grid->horizontalHeader()->fontMetrics(), title) + TitleMargins(*grid),
          room)
          << name << ' ' << title.toStdString();
      for (int row = 0; row < model.rowCount(); ++row) {
        const QString text = model.index(row, column).data().toString();
        EXPECT_LE(grid->fontMetrics().horizontalAdvance(text) + CellMargins(*grid), room)
            << name << ' ' << title.toStdString() << ' ' << text.toStdString();
      }
    }
  }

  // The editor of a "Ду" cell, a drop-down list, shows its value whole.
  auto* channels = tab->findChild<QTableView*>(QStringLiteral("DBGrid1"));
  channels->setFocus();
  const QModelIndex du = channels->model()->index(0, 1);
  ASSERT_EQ(channels->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Ду"));
  channels->setCurrentIndex(du);
  channels->edit(du);
  auto* editor = qobject_cast<QComboBox*>(channels->indexWidget(du));
  ASSERT_NE(editor, nullptr);
  EXPECT_FALSE(editor->currentText().isEmpty());
  EXPECT_GE(editor->width(), editor->sizeHint().width());
}

TEST(TextFitWindowTest, TheCalibrationGridsTitlesAndTimesAreWhole) {
  LeastWindow window;
  for (QDialog* dialog :
       std::initializer_list<QDialog*>{window.form.findChild<TFormCalibrTempr*>(),
                                       window.form.findChild<TformCalibrPressure*>()}) {
    ASSERT_NE(dialog, nullptr);
    const auto* grid = dialog->findChild<QTableView*>(QStringLiteral("DBGrid1"));
    const auto& samples = static_cast<const AdcSamples&>(*grid->model());
    for (int column = 0; column < samples.columnCount(); ++column) {
      const QString title = samples.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
      // A long title goes onto two lines rather than being cut.
      EXPECT_NE(samples.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                    Qt::TextWordWrap,
                0);
      EXPECT_LE(
          TwoLineTitleWidth(grid->horizontalHeader()->fontMetrics(), title) + TitleMargins(*grid),
          grid->columnWidth(column))
          << title.toStdString();
      EXPECT_LE(
          grid->fontMetrics().horizontalAdvance(samples.WidestText(column)) + CellMargins(*grid),
          grid->columnWidth(column))
          << title.toStdString();
    }
  }
}

}  // namespace
}  // namespace vrx
