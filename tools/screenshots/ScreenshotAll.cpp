// Draws every tab and dialog of the window against emulated instruments, each at its least size
// (the main window's minimum; a dialog's own minimum) and at 1280×1000, one picture each, named
// NAME-least.png and NAME-1280x1000.png:
//   screenshot_all OUTPUT_DIR
// The tabs show what their read buttons read (a VRX-L13-2.2 with an interface module, an RQ-7
// unit); the journal holds the initialization the first tab made.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <functional>

#include "app/AboutForm.h"
#include "app/HelpForm.h"
#include "app/MessageForm.h"
#include "app/PortsForm.h"
#include "app/SchemePictureForm.h"
#include "calibration/views/CalibrationDialog.h"
#include "calibration/views/UpDown.h"
#include "journal/views/JournalDialog.h"
#include "screenshots/DemoScreenshot.h"
#include "screenshots/ScreenshotFile.h"
#include "stamp/views/ClockVerifyForm.h"
#include "support/ScriptedConfirmation.h"

namespace {

using vrx::TMainForm;

const QSize kLarge(1280, 1000);

class Shots {
 public:
  Shots(const QDir& out, QTextStream& err) : out_(out), err_(err) {}

  // Draws `window` at its least size and at 1280×1000.
  void Both(QWidget& window, const QString& name, const QSize& least) {
    if (!window.isVisible())
      window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
      Fail(QStringLiteral("%1 is not shown").arg(name));
      return;
    }
    for (const QSize& size : {least, kLarge}) {
      window.resize(size);
      QTest::qWait(100);
      const QString suffix = size == least
                                 ? QStringLiteral("least")
                                 : QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
      const QString file = out_.filePath(QStringLiteral("%1-%2.png").arg(name, suffix));
      if (!vrx::test::SaveScreenshot(window, file, err_)) {
        ok_ = false;
        continue;
      }
      err_ << file << ' ' << window.width() << 'x' << window.height() << '\n';
    }
  }

  // A window without a minimum of its own is drawn at the size its layout needs.
  void Dialog(QWidget& window, const QString& name) {
    window.show();
    Both(window, name, window.minimumSize().expandedTo(window.minimumSizeHint()));
    window.hide();
  }

  void Fail(const QString& why) {
    err_ << why << '\n';
    ok_ = false;
  }
  bool Ok() const { return ok_; }

 private:
  QDir out_;
  QTextStream& err_;
  bool ok_ = true;
};

QPushButton* Button(QWidget& root, const char* name) {
  return root.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Clicks a read button and reports what the messages said, if anything.
void Click(QWidget& root, const char* button, const vrx::RecordingMessages& messages,
           Shots& shots) {
  const qsizetype before = messages.Texts().size();
  QTest::mouseClick(Button(root, button), Qt::LeftButton);
  QTest::qWait(100);
  if (messages.Texts().size() != before)
    shots.Fail(QStringLiteral("%1: %2").arg(QLatin1String(button), messages.Texts().last()));
}

template <typename Form>
Form* TopLevel() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<Form*>(window))
      return found;
  }
  return nullptr;
}

void HeatCalculator(const QTemporaryDir& dir, Shots& shots) {
  qputenv("VRX_JOURNAL", dir.filePath(QStringLiteral("journal.sqlite")).toUtf8());
  vrx::StartupOptions options;
  options.service = true;
  options.dataFolders = {QStringLiteral(VRX_PROGRAM_DIR)};
  vrx::test::DemoScreenshot demo(QStringLiteral("VRX-L13-2.2"), options);
  vrx::test::ScriptedConfirmation clock;
  demo.context.timeConfirmation = &clock;
  TMainForm& form = *demo.form;
  const vrx::RecordingMessages& messages = demo.messages;
  const QSize least = form.minimumSize();
  form.show();
  auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));

  pages->setCurrentIndex(TMainForm::kInitPage);
  Click(form, "bbReadIniParams", messages, shots);
  shots.Both(form, QStringLiteral("tab-init"), least);
  // An initialization for the journal; its report is an information box.
  QTest::mouseClick(Button(form, "bbInitialize"), Qt::LeftButton);

  pages->setCurrentIndex(TMainForm::kServicePage);
  Click(form, "bnLoBatt", messages, shots);
  shots.Both(form, QStringLiteral("tab-service"), least);

  pages->setCurrentIndex(TMainForm::kCurrentPage);
  Click(form, "bnReadCurParams", messages, shots);
  shots.Both(form, QStringLiteral("tab-current"), least);

  pages->setCurrentIndex(TMainForm::kInterfacePage);
  Click(form, "Button5", messages, shots);
  shots.Both(form, QStringLiteral("tab-iface"), least);
  form.resize(least);

  const std::pair<const char*, const char*> services[] = {
      {"RTCCorrectionForm1", "dialog-rtc"},
      {"TicksCorrectionForm", "dialog-ticks"},
      {"CountersForm", "dialog-counters"},
      {"TFormCalibrTempr", "dialog-calibration-temperature"},
      {"TformCalibrPressure", "dialog-calibration-pressure"},
  };
  for (const auto& [name, file] : services) {
    auto* dialog = form.findChild<QDialog*>(QString::fromLatin1(name));
    if (dialog == nullptr) {
      shots.Fail(QStringLiteral("no dialog %1").arg(QLatin1String(name)));
      continue;
    }
    dialog->show();
    // The correction dialogs show what "Считать" read; the pulse-value correction refuses some
    // models, and its picture shows the dialog all the same.
    if (Button(*dialog, "bnRead") != nullptr)
      QTest::mouseClick(Button(*dialog, "bnRead"), Qt::LeftButton);
    // The calibration dialogs show two samples of channel 1.
    if (auto* calibration = qobject_cast<vrx::CalibrationDialog*>(dialog)) {
      calibration->findChild<QLineEdit*>(QStringLiteral("edCount"))->setText(QStringLiteral("2"));
      calibration->findChild<vrx::UpDown*>(QStringLiteral("udChannel"))->SetPosition(1);
      QTest::mouseClick(Button(*calibration, "btnAdcCheck"), Qt::LeftButton);
      calibration->Run().Tick();
      QTest::qWait(100);
    }
    shots.Dialog(*dialog, QString::fromLatin1(file));
  }

  if (auto* clockForm = form.findChild<vrx::TClockVerifyForm*>())
    shots.Dialog(*clockForm, QStringLiteral("dialog-clock"));

  vrx::TPortsForm ports(demo.context, vrx::SystemSerialDevices(), &form);
  shots.Dialog(ports, QStringLiteral("dialog-ports"));

  QTest::mouseClick(Button(form, "bnJournal"), Qt::LeftButton);
  if (auto* journal = form.findChild<vrx::JournalDialog*>())
    shots.Dialog(*journal, QStringLiteral("dialog-journal"));
  else
    shots.Fail(QStringLiteral("no journal dialog"));

  QString settingsFile;
  demo.context.WithSettings([&](QSettings& settings) { settingsFile = settings.fileName(); });
  vrx::TAboutForm about(dir.filePath(QStringLiteral("journal.sqlite")), settingsFile, &form);
  shots.Dialog(about, QStringLiteral("dialog-about"));

  const vrx::DialogFont font;
  vrx::TMessageForm box(vrx::DialogKind::Confirmation,
                        QStringLiteral("Шаблон составлен для VRX-L5-2.2, а на вкладке выбран "
                                       "VRX-L13-2.2. Сменить тип прибора на VRX-L5-2.2?"),
                        QStringLiteral("Подтвердите"), font, vrx::kColorButtonFace, false, 0,
                        {QStringLiteral("Да"), QStringLiteral("Нет")});
  shots.Dialog(box, QStringLiteral("dialog-message"));

  pages->setCurrentIndex(TMainForm::kCurrentPage);
  form.FormKeyDown(Qt::Key_F1);
  if (auto* help = form.findChild<vrx::THelpForm*>())
    shots.Both(*help, QStringLiteral("window-help"), help->minimumSize());
  else
    shots.Fail(QStringLiteral("no help window"));

  form.FormKeyDown(Qt::Key_F2);
  if (auto* picture = TopLevel<vrx::TSchemePictureForm>())
    shots.Both(*picture, QStringLiteral("window-scheme"), picture->size());
  else
    shots.Fail(QStringLiteral("no scheme picture window"));
}

void Rq7Unit(Shots& shots) {
  vrx::StartupOptions options;
  options.service = true;
  vrx::test::DemoScreenshot demo(QStringLiteral("RQ-7"), options);
  TMainForm& form = *demo.form;
  const QSize least = form.minimumSize();
  form.show();
  auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  pages->setCurrentIndex(TMainForm::kRqInitPage);
  Click(*pages->currentWidget(), "bbRQRead", demo.messages, shots);
  shots.Both(form, QStringLiteral("tab-rq-init"), least);
  pages->setCurrentIndex(TMainForm::kRqCurrentPage);
  Click(*pages->currentWidget(), "Button1", demo.messages, shots);
  shots.Both(form, QStringLiteral("tab-rq-current"), least);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTextStream err(stderr);
  const QStringList arguments = vrx::test::ScreenshotArguments(err, "screenshot_all OUTPUT_DIR");
  if (arguments.isEmpty())
    return 2;
  const QDir out(arguments[1]);
  out.mkpath(QStringLiteral("."));
  QTemporaryDir dir;
  Shots shots(out, err);
  HeatCalculator(dir, shots);
  Rq7Unit(shots);
  return shots.Ok() ? 0 : 1;
}
