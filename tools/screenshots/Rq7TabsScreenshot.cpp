// Draws the tabs "Инициализация RQ" and "Текущие параметры RQ" of the main window after their
// "Считать" has read the demo RQ-7 unit, and saves both pictures.
//   rq7_tabs_screenshot OUTPUT_DIR
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextStream>

#include "screenshots/DemoScreenshot.h"
#include "screenshots/ScreenshotFile.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTextStream err(stderr);
  const QStringList arguments =
      vrx::test::ScreenshotArguments(err, "rq7_tabs_screenshot OUTPUT_DIR");
  if (arguments.isEmpty())
    return 2;
  QDir().mkpath(arguments[1]);

  vrx::StartupOptions options;
  options.service = true;
  vrx::test::DemoScreenshot demo(QStringLiteral("RQ-7"), options);
  vrx::TMainForm& form = *demo.form;
  const vrx::RecordingMessages& messages = demo.messages;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form))
    return 1;
  auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  const std::pair<int, const char*> shots[] = {{vrx::TMainForm::kRqInitPage, "bbRQRead"},
                                               {vrx::TMainForm::kRqCurrentPage, "Button1"}};
  for (auto [page, button] : shots) {
    pages->setCurrentIndex(page);
    QTest::mouseClick(pages->widget(page)->findChild<QPushButton*>(QString::fromLatin1(button)),
                      Qt::LeftButton);
    QTest::qWait(200);
    if (!messages.Texts().isEmpty()) {
      err << "reading failed: " << messages.Texts().join('\n') << '\n';
      return 1;
    }
    const QString file =
        QDir(arguments[1])
            .filePath(page == vrx::TMainForm::kRqInitPage ? "rq-init.png" : "rq-current.png");
    if (!vrx::test::SaveScreenshot(form, file, err))
      return 1;
    err << "saved " << file << '\n';
  }
  return 0;
}
