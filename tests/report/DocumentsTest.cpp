#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/MainForm.h"
#include "support/ChosenFile.h"
#include "support/DemoRun.h"

namespace vrx {
namespace {

// Runs a program to its end; its standard output, or the failure with its error output.
QString Output(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
  EXPECT_EQ(process.exitCode(), 0)
      << program.toStdString() << ' ' << arguments.join(' ').toStdString() << '\n'
      << process.readAllStandardError().toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString Companion(const QStringList& arguments) {
  return Output(QStringLiteral(VRX_PROGRAM_DIR "/vrxctl"), arguments);
}

// pdftotext's text of a document, a line a line as laid out, spaces between columns folded.
QStringList PdfLines(const QString& path) {
  QStringList lines;
  for (QString line : Output("pdftotext", {"-layout", path, "-"}).split('\n')) {
    line = line.simplified();
    if (!line.isEmpty())
      lines << line;
  }
  return lines;
}

// The labels of the settings as the first tab shows them beside their controls, as patterns: the
// optional channel's check box names the channel by its number.
const std::map<QString, QString> kLabels = {
    {"cbDeviceType", "Тип прибора:"},
    {"cbTermType", "W100"},
    {"cbCountingScheme", "№ измерительной схемы:"},
    {"DevNoEdit", "Номер прибора:"},
    {"DevAddrEdit", "Сетевой адрес:"},
    {"winterTcwEdit", "Холодная вода, Зима: t, °C"},
    {"cbWinterDst", "Холодная вода, Зима: с месяца"},
    {"summerTcwEdit", "Холодная вода, Лето: t, °C"},
    {"cbSummerDst", "Холодная вода, Лето: с месяца"},
    {"tcwPressureEdit", "Холодная вода, P, кгс/см2:"},
    {"cbQWDim", "Единица тепла"},
    {"cbGGoDim", "Учёт расхода"},
    {"cbThirdChannel", "Включить (четвёртый|пятый) канал"},
    {"cbLCType", "Доп. канал"},
    {"cbLCMeasurement", "Доп. канал, учёт"},
    {"cbgth", "Контроль g < gпор:"},
    {"cbReaction", "Реакция на НС"},
    {"cbUsePresetP", "Использовать договорное P в расчётах"},
};

struct ProtocolCase {
  const char* type;
  // Settings the tab hides for the type: their values are the tab's defaults, not the
  // instrument's, and the protocol leaves them out.
  QStringList hidden;
};

void PrintTo(const ProtocolCase& c, std::ostream* os) {
  *os << c.type;
}

class SettingsProtocol : public testing::TestWithParam<ProtocolCase> {};

// Every setting `vrxctl settings --json` prints stands beside its label in the protocol's text,
// the channel rows as on the tab; the scheme's picture is in the file and every font is embedded.
TEST_P(SettingsProtocol, HoldsEverySettingBesideItsLabel) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath("protocol.pdf");
  const QString type = QString::fromLatin1(GetParam().type);
  const QJsonObject form =
      QJsonDocument::fromJson(Companion({"--demo", type, "settings", "--json"}).toUtf8()).object();
  Companion({"--demo", type, "settings", "--pdf", pdf});
  const QString text = PdfLines(pdf).join('\n');

  ASSERT_TRUE(text.contains("Протокол настроечных параметров")) << text.toStdString();
  ASSERT_TRUE(text.contains("Тип прибора по каталогу: " + type)) << text.toStdString();
  for (auto it = form.begin(); it != form.end(); ++it) {
    if (it.value().isArray() || it.key() == "CheckBox1" || GetParam().hidden.contains(it.key()))
      continue;
    const QString value =
        it.value().isBool() ? (it.value().toBool() ? "да" : "нет") : it.value().toString();
    const auto label = kLabels.find(it.key());
    ASSERT_NE(label, kLabels.end()) << it.key().toStdString();
    const QRegularExpression beside("(^|\n)" + label->second + " " +
                                    QRegularExpression::escape(value) + "(\n|$)");
    EXPECT_TRUE(text.contains(beside)) << it.key().toStdString() << ": " << value.toStdString();
  }
  // A channel's row on one line: its number, the diameter where the model has one, the pulse
  // value and the temperature.
  for (const QJsonValue& row : form.value("cdsChannels").toArray()) {
    const QJsonObject cells = row.toObject();
    const QString line = "\n" + QRegularExpression::escape(cells["ChannelNo"].toString()) +
                         " (\\S+ )?" + QRegularExpression::escape(cells["Ticks"].toString()) + " " +
                         QRegularExpression::escape(cells["PresettingTemperature"].toString());
    EXPECT_TRUE(text.contains(QRegularExpression(line))) << line.toStdString();
  }

  const QStringList images = Output("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
  EXPECT_GE(images.size(), 3) << "two lines of titles, then the picture";
  const QStringList fonts = Output("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
  ASSERT_FALSE(fonts.isEmpty());
  for (const QString& font : fonts) {
    const QStringList columns = font.split(' ', Qt::SkipEmptyParts);
    // name, type words, encoding, then emb sub uni object ID.
    EXPECT_EQ(columns.value(columns.size() - 5), "yes") << font.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Models, SettingsProtocol,
    testing::Values(ProtocolCase{"VRX-L1-2.1",
                                 {"cbTermType", "cbGGoDim", "cbgth", "cbReaction", "cbUsePresetP"}},
                    // Scheme 7 is no "F" scheme: no reaction.
                    ProtocolCase{"VRX-L5-2.2",
                                 {"cbGGoDim", "cbReaction", "cbLCType", "cbLCMeasurement"}},
                    ProtocolCase{"VRX-L13-2.2",
                                 {"cbGGoDim", "cbLCType", "cbLCMeasurement", "cbgth", "cbReaction",
                                  "cbUsePresetP"}}),
    [](const auto& info) {
      return QString(info.param.type).remove('-').remove('.').toStdString();
    });

QStringList WithoutTimeOfMaking(QStringList lines) {
  lines.removeIf([](const QString& line) { return line.startsWith("Протокол составлен:"); });
  return lines;
}

// The window on the demo VRX-L13-2.2, its files chosen by the test, the scheme pictures those of
// the build.
class WindowDocuments : public testing::Test {
 protected:
  static StartupOptions BuildPictures() {
    StartupOptions options;
    options.dataFolders = {VRX_PROGRAM_DIR};
    return options;
  }
  void Click(const char* name) {
    QTest::mouseClick(form.findChild<QPushButton*>(name), Qt::LeftButton);
  }

  test::DemoRun run{"VRX-L13-2.2"};
  test::ChosenFile files;
  // The window takes the test's file dialogs when they are there before it.
  FileDialogs* installed = run.context.fileDialogs = &files;
  TMainForm form{run.context, BuildPictures()};
};

// The window refuses the documents before a reading and after an edit, to the letter and before
// asking for a file; read, it writes the protocol the companion writes.
TEST_F(WindowDocuments, RefuseWithoutAReadingAndMatchTheCompanion) {
  files.path = run.dir.filePath("window.pdf");

  Click("bnSaveSettingsPdf");
  Click("bnSaveCurParamsPdf");
  Click("bbReadIniParams");
  auto* address = form.findChild<QLineEdit*>("DevAddrEdit");
  QTest::keyClicks(address, "7");
  Click("bnSaveSettingsPdf");
  EXPECT_EQ(run.messages.Texts(),
            QStringList({"Протокол не составлен: настройки прибора в этом сеансе не считаны. "
                         "Нажмите «Считать» на вкладке «Инициализация VRX» и повторите.",
                         "Отчёт не составлен: текущие параметры в этом сеансе не считаны. Нажмите "
                         "«Считать» на вкладке «Текущие параметры» и повторите.",
                         "Протокол не составлен: значения на вкладке изменены после считывания и "
                         "могут не совпадать с прибором. Нажмите «Считать», чтобы вернуть значения "
                         "прибора, или проведите инициализацию, затем повторите."}));
  EXPECT_TRUE(files.asked.isEmpty());

  run.messages.Clear();
  Click("bbReadIniParams");
  Click("bnSaveSettingsPdf");
  ASSERT_TRUE(run.messages.Texts().isEmpty()) << run.messages.Texts().join('\n').toStdString();
  const QString companion = run.dir.filePath("companion.pdf");
  Companion({"--demo", "VRX-L13-2.2", "settings", "--pdf", companion});
  const QStringList window = PdfLines(files.path);
  ASSERT_TRUE(window.contains("Протокол настроечных параметров"))
      << window.join('\n').toStdString();
  EXPECT_EQ(WithoutTimeOfMaking(window), WithoutTimeOfMaking(PdfLines(companion)));

  // "Печать…" opens the print preview of the same document.
  QString previewed;
  QTimer::singleShot(0, [&previewed] {
    if (auto* preview = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      previewed = preview->objectName();
      preview->reject();
    }
  });
  Click("bnPrintSettings");
  EXPECT_EQ(previewed, "PrintPreviewDialog");
}

// "Сверить с шаблоном…" reads the instrument, lists the settings that differ from the project's
// template, marks them on the tab and carries them into the protocol.
TEST_F(WindowDocuments, CheckMarksAndListsTheDifferingSettings) {
  QJsonObject project =
      QJsonDocument::fromJson(Companion({"--demo", "VRX-L13-2.2", "settings", "--json"}).toUtf8())
          .object();
  project["DevAddrEdit"] = "12";
  QJsonArray channels = project["cdsChannels"].toArray();
  QJsonObject first = channels[0].toObject();
  first["PressurePreset"] = "5";
  channels[0] = first;
  project["cdsChannels"] = channels;
  files.path = run.dir.filePath("project.json");
  QFile file(files.path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QJsonDocument(project).toJson());
  file.close();

  Click("bnCheckTemplate");
  EXPECT_EQ(run.messages.Texts(),
            QStringList{"Настройки прибора отличаются от шаблона \"" + files.path +
                        "\" (поле (надпись): в приборе, в шаблоне):\n"
                        "DevAddrEdit (Сетевой адрес:): в приборе 1, в шаблоне 12\n"
                        "cdsChannels[0].PressurePreset (Канал 1: Договорное P, кгс/см2): в приборе "
                        "6, в шаблоне 5"});
  EXPECT_TRUE(form.findChild<QLineEdit*>("DevAddrEdit")->styleSheet().contains("#ffc8c8"));
  const auto* grid = form.findChild<QAbstractItemModel*>("cdsChannels");
  EXPECT_EQ(grid->index(0, 5).data(Qt::BackgroundRole).value<QColor>(), QColor("#ffc8c8"));
  EXPECT_FALSE(grid->index(0, 2).data(Qt::BackgroundRole).isValid());

  files.path = run.dir.filePath("protocol.pdf");
  Click("bnSaveSettingsPdf");
  const QStringList lines = PdfLines(files.path);
  EXPECT_TRUE(lines.contains("Сверка с шаблоном")) << lines.join('\n').toStdString();
  EXPECT_TRUE(lines.contains("DevAddrEdit Сетевой адрес: 1 12")) << lines.join('\n').toStdString();
}

}  // namespace
}  // namespace vrx
