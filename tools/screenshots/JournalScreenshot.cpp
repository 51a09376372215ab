// Draws the journal dialog with a few records of an emulated instrument, the newest selected,
// and saves the picture: a look at the dialog on a real display.
//   journal_screenshot OUTPUT.png
#include <QApplication>
#include <QLocale>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include "image/SettingsFields.h"
#include "image/SettingsImage.h"
#include "journal/JournalKeeper.h"
#include "journal/views/JournalDialog.h"
#include "screenshots/ScreenshotFile.h"
#include "sim/EmulatedInstrument.h"
#include "support/FakePortLine.h"
#include "support/ScriptedConfirmation.h"

namespace {

void Renumber(vrx::Connection& c, uint16_t number, const QString& operation) {
  c.link.IdentifyDevice();
  c.link.ReadSettings();
  vrx::SettingsImage image(c.buffer, c.state);
  vrx::SetDeviceNumber(image, number);
  c.link.WriteSettings(false, operation);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  QTextStream err(stderr);
  if (argc < 2) {
    err << "usage: journal_screenshot OUTPUT.png\n";
    return 2;
  }
  QTemporaryDir dir;
  qputenv("VRX_JOURNAL", dir.filePath(QStringLiteral("journal.sqlite")).toUtf8());
  vrx::RealPacer pacer;
  vrx::PlainCursor cursor;
  vrx::RecordingMessages messages;
  vrx::RunContext context(pacer, cursor, messages, vrx::test::PlainNaming(), {},
                          dir.filePath(QStringLiteral("tool.ini")));
  vrx::test::ScriptedConfirmation clock;
  context.timeConfirmation = &clock;
  vrx::JournalKeeper journal;
  journal.Attach(context.connection);
  const auto instrument = vrx::sim::EmulatedInstrument::Start("VRX-L13-2.2", 4800, {});
  context.connection.port.Naming().SetOverride(1, QString::fromStdString(instrument->SlavePath()));
  try {
    context.connection.port.Open(1, 4800, 1500);
    Renumber(context.connection, 300, QStringLiteral("Инициализация"));
    Renumber(context.connection, 301, QStringLiteral("Инициализация"));
    Renumber(context.connection, 302, QStringLiteral("Инициализация"));
  } catch (const std::exception& e) {
    err << "writing failed: " << e.what() << '\n';
    return 1;
  }

  vrx::JournalDialog dialog(context, journal.Database());
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog))
    return 1;
  dialog.findChild<QTableWidget*>(QStringLiteral("grRecords"))->selectRow(0);
  QTest::qWait(100);
  if (!vrx::test::SaveScreenshot(dialog, QString::fromLocal8Bit(argv[1]), err)) {
    return 1;
  }
  err << "dialog " << dialog.width() << 'x' << dialog.height() << " saved to " << argv[1] << '\n';
  return 0;
}
