// Draws the main window at its minimum size after "Считать" on the first tab has read an
// emulated instrument, and saves the picture: a look at the tab's layout on a real display.
// With --iface it draws the tab "Доп. интерфейс" after its "Прочитать" has read the instrument's
// interface module instead, with --current the tab "Текущие параметры" after its "Считать", and
// with --save-template the file dialog that "Сохранить шаблон…" opens after the reading. The
// application starts as vrx-service does: its number locale and Qt's Russian translations.
//   init_tab_screenshot OUTPUT.png [TYPE] [--iface | --current | --save-template]
#include <QFileDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include "app/VrxApplication.h"
#include "screenshots/DemoScreenshot.h"
#include "screenshots/ScreenshotFile.h"

namespace {

// Saves the file dialog once it is on screen, then cancels it.
void SaveFileDialogWhenShown(const QString& path, QTextStream& err, bool& saved) {
  QTimer::singleShot(100, [&path, &err, &saved] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !QTest::qWaitForWindowExposed(dialog)) {
      SaveFileDialogWhenShown(path, err, saved);
      return;
    }
    QTest::qWait(200);
    saved = vrx::test::SaveScreenshot(*dialog, path, err);
    dialog->reject();
  });
}

}  // namespace

int main(int argc, char** argv) {
  vrx::VrxApplication app(argc, argv);
  QTextStream err(stderr);
  QStringList arguments = QApplication::arguments();
  const bool iface = arguments.removeAll(QStringLiteral("--iface")) > 0;
  const bool current = arguments.removeAll(QStringLiteral("--current")) > 0;
  const bool saveTemplate = arguments.removeAll(QStringLiteral("--save-template")) > 0;
  if (arguments.size() < 2) {
    err << "usage: init_tab_screenshot OUTPUT.png [TYPE] [--iface | --current | "
           "--save-template]\n";
    return 2;
  }
  const QString type = arguments.value(2, QStringLiteral("VRX-L13-2.2"));
  if (!app.QtTranslated())
    err << "Qt's Russian translations are not installed: Qt's own texts stay English\n";

  vrx::test::DemoScreenshot demo(type, {});
  vrx::TMainForm& form = *demo.form;
  const vrx::RecordingMessages& messages = demo.messages;
  form.show();
  form.resize(form.minimumSize());
  if (!QTest::qWaitForWindowExposed(&form))
    return 1;
  auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  QString read = QStringLiteral("bbReadIniParams");
  if (iface) {
    pages->setCurrentIndex(vrx::TMainForm::kInterfacePage);
    read = QStringLiteral("Button5");
  } else if (current) {
    pages->setCurrentIndex(vrx::TMainForm::kCurrentPage);
    read = QStringLiteral("bnReadCurParams");
  }
  QTest::mouseClick(form.findChild<QPushButton*>(read), Qt::LeftButton);
  QTest::qWait(200);
  if (!messages.Texts().isEmpty()) {
    err << "reading failed: " << messages.Texts().join('\n') << '\n';
    return 1;
  }
  if (saveTemplate) {
    bool saved = false;
    SaveFileDialogWhenShown(arguments[1], err, saved);
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("bnSaveTemplate")),
                      Qt::LeftButton);
    if (!saved)
      return 1;
    err << "file dialog saved to " << arguments[1] << '\n';
    return 0;
  }
  if (!vrx::test::SaveScreenshot(form, arguments[1], err)) {
    return 1;
  }
  err << "window " << form.width() << 'x' << form.height() << " saved to " << arguments[1] << '\n';
  return 0;
}
