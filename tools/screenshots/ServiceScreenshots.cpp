// Draws the tab "Сервис" and its three correction dialogs after "Считать" against an emulated
// instrument, and saves the pictures: a look at their layout on a real display.
//   service_screenshots OUTPUT_DIR [TYPE]
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include "screenshots/DemoScreenshot.h"
#include "screenshots/ScreenshotFile.h"

namespace {

bool Save(QWidget* widget, const QString& path, QTextStream& err) {
  if (!vrx::test::SaveScreenshot(*widget, path, err))
    return false;
  err << widget->objectName() << ' ' << widget->width() << 'x' << widget->height() << " saved to "
      << path << '\n';
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTextStream err(stderr);
  const QStringList arguments =
      vrx::test::ScreenshotArguments(err, "service_screenshots OUTPUT_DIR [TYPE]");
  if (arguments.isEmpty())
    return 2;
  const QDir out(arguments[1]);
  const QString type = arguments.value(2, QStringLiteral("VRX-L13-2.2"));

  vrx::StartupOptions options;
  options.service = true;
  vrx::test::DemoScreenshot demo(type, options);
  vrx::TMainForm& form = *demo.form;
  const vrx::RecordingMessages& messages = demo.messages;
  form.findChild<QTabWidget*>(QStringLiteral("PageControl1"))
      ->setCurrentIndex(vrx::TMainForm::kServicePage);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form))
    return 1;
  QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("bnLoBatt")), Qt::LeftButton);
  bool saved = Save(&form, out.filePath(QStringLiteral("service-tab.png")), err);

  for (const char* name : {"RTCCorrectionForm1", "TicksCorrectionForm", "CountersForm"}) {
    auto* dialog = form.findChild<QDialog*>(QString::fromLatin1(name));
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog))
      return 1;
    // The pulse-value correction refuses some models; the picture shows the dialog all the same.
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("bnRead")), Qt::LeftButton);
    QTest::qWait(100);
    saved = Save(dialog, out.filePath(QString::fromLatin1(name) + QStringLiteral(".png")), err) &&
            saved;
    dialog->hide();
  }
  if (!messages.Texts().isEmpty())
    err << "messages: " << messages.Texts().join('\n') << '\n';
  return saved ? 0 : 1;
}
