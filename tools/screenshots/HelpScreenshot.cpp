// Draws the help window on the topic of the tab "Текущие параметры" and the picture windows of
// schemes, as F1 and F2 open them, and saves them: a look at the help and the pictures on a
// real display. Schemes are given as TYPE:POSITION (position in the type's scheme list); by
// default a VRX-L1 scheme with one heat circuit and a VRX-L13 scheme with two.
//   help_screenshot OUTPUT_DIR [TYPE:POSITION]...
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include "app/HelpForm.h"
#include "app/MainForm.h"
#include "app/SchemePictureForm.h"
#include "app/WidgetCursor.h"
#include "link/Pacer.h"
#include "model/Catalogue.h"
#include "screenshots/ScreenshotFile.h"
#include "session/RunContext.h"

namespace {

int TypeIndex(const QString& name) {
  for (int i = 1; i <= vrx::kTypeCount; ++i) {
    if (name == QLatin1String(vrx::DeviceTypeAt(i).Name))
      return i;
  }
  return -1;
}

bool Save(QWidget* window, const QString& path, QTextStream& err) {
  if (window == nullptr || !QTest::qWaitForWindowExposed(window)) {
    err << "no window for " << path << '\n';
    return false;
  }
  QTest::qWait(100);
  if (!vrx::test::SaveScreenshot(*window, path, err)) {
    return false;
  }
  err << window->windowTitle() << ": " << path << '\n';
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  QTextStream err(stderr);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() < 2) {
    err << "usage: help_screenshot OUTPUT_DIR [TYPE:POSITION]...\n";
    return 2;
  }
  QStringList schemes = arguments.mid(2);
  if (schemes.isEmpty())
    schemes = {QStringLiteral("VRX-L1-2.2:2"), QStringLiteral("VRX-L13-2.2:24")};
  const QDir out(arguments[1]);
  out.mkpath(QStringLiteral("."));

  QTemporaryDir settings;
  vrx::RealPacer pacer;
  vrx::WidgetCursor cursor;
  vrx::RecordingMessages messages;
  vrx::RunContext context(pacer, cursor, messages, vrx::PortNaming(), {},
                          settings.filePath(QStringLiteral("tool.ini")));
  vrx::StartupOptions options;
  options.dataFolders = {QStringLiteral(VRX_PROGRAM_DIR)};
  vrx::TMainForm form(context, options);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form))
    return 1;

  auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  pages->setCurrentIndex(vrx::TMainForm::kCurrentPage);
  QTest::keyClick(pages, Qt::Key_F1);
  if (!Save(form.findChild<vrx::THelpForm*>(), out.filePath(QStringLiteral("help-4.png")), err))
    return 1;

  for (const QString& scheme : schemes) {
    const QString type = scheme.section(QLatin1Char(':'), 0, 0);
    const int position = scheme.section(QLatin1Char(':'), 1).toInt();
    if (TypeIndex(type) < 0 || position < 1) {
      err << "not a TYPE:POSITION: " << scheme << '\n';
      return 2;
    }
    vrx::InitWorkspace& workspace = form.Workspace();
    workspace.Controls().cbDeviceType.index = TypeIndex(type) - 1;
    workspace.cbDeviceTypeChange();
    workspace.Controls().cbCountingScheme.index = position - 1;
    workspace.CountingSchemeChanged();
    QTest::keyClick(pages, Qt::Key_F2);
    vrx::TSchemePictureForm* picture = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* found = qobject_cast<vrx::TSchemePictureForm*>(window))
        picture = found;
    }
    const QString name = QStringLiteral("scheme-%1-%2.png").arg(type).arg(position);
    if (!Save(picture, out.filePath(name), err))
      return 1;
  }
  if (!messages.Texts().isEmpty()) {
    err << messages.Texts().join('\n') << '\n';
    return 1;
  }
  return 0;
}
