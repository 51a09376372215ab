#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "init/InitTabTestSupport.h"
#include "init/InitTemplate.h"
#include "init/WorkspaceForm.h"
#include "model/Errors.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

constexpr int kYes = 1;
constexpr int kNo = 2;

const char* const kSwitchQuestion =
    "Шаблон составлен для VRX-L13-2.2, а на вкладке выбран VRX-L12-1.0. Сменить тип прибора на "
    "VRX-L13-2.2?";

// A tab that shows VRX-L12-1.0 with instrument number 4321 gets a template file.
TEST(InitTemplate, LoadingRefusesBadFilesAndSwitchesTheModelOnlyAfterYes) {
  const struct {
    const char* name;
    const char* file;  // nullptr: no such file
    int answer;
    // The error shown, %1 the path; empty when the load goes through.
    const char* error;
    const char* question;  // nullptr: none asked
    // The model and number the tab shows afterwards; nullptr: the tab is as before.
    const char* model;
    const char* number;
  } cases[] = {
      {"missing", nullptr, kYes, "Не удалось прочитать шаблон \"%1\": No such file or directory",
       nullptr, nullptr, nullptr},
      {"broken", "{\"DevNoEdit\": ", kYes, "Файл \"%1\" не является шаблоном: unterminated object",
       nullptr, nullptr, nullptr},
      {"array", "[1]", kYes, "Файл \"%1\" не является шаблоном: no JSON object", nullptr, nullptr,
       nullptr},
      {"unknown model", "{\"cbDeviceType\": \"VRX-L99\", \"DevNoEdit\": \"77\"}", kYes,
       "Недопустимое значение \"cbDeviceType\" в файле формы", nullptr, nullptr, nullptr},
      {"no model", "{\"cbDeviceType\": null}", kYes,
       "Недопустимое значение \"cbDeviceType\" в файле формы", nullptr, nullptr, nullptr},
      {"same model", "{\"cbDeviceType\": \"VRX-L12-1.0\", \"DevNoEdit\": \"77\"}", kYes, "",
       nullptr, "VRX-L12-1.0", "77"},
      {"keys only", "{\"DevNoEdit\": \"78\", \"CheckBox1\": true}", kYes, "", nullptr,
       "VRX-L12-1.0", "78"},
      {"other model, no", "{\"cbDeviceType\": \"VRX-L13-2.2\", \"DevNoEdit\": \"77\"}", kNo, "",
       kSwitchQuestion, nullptr, nullptr},
      {"other model, yes", "{\"cbDeviceType\": \"VRX-L13-2.2\", \"DevNoEdit\": \"77\"}", kYes, "",
       kSwitchQuestion, "VRX-L13-2.2", "77"},
      // Refused after the model has switched: nothing of the template stays.
      {"refused value",
       "{\"cbDeviceType\": \"VRX-L13-2.2\", \"DevNoEdit\": \"77\", \"cbWinterDst\": \"Брюмер\"}",
       kYes, "Недопустимое значение \"cbWinterDst\" в файле формы", kSwitchQuestion, nullptr,
       nullptr},
      {"refused agreed value",
       "{\"DevNoEdit\": \"77\", \"cdsChannels\": [{\"ChannelNo\": \"2\", "
       "\"PresettingTemperature\": \"Договорная\", \"TemperaturePreset\": \"151\"}]}",
       kYes, "Договорное значение температуры должно быть числом от 1 до 150", nullptr, nullptr,
       nullptr},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("template.json"));
    if (k.file != nullptr) {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(k.file);
    }
    test::InitTab tab;
    tab.c().DevNoEdit.text = QStringLiteral("4321");
    tab.state.SubVersion = 7;
    const QJsonObject before = ToForm(tab.ws);
    RecordingMessages messages;
    messages.Answer(k.answer);

    QString error;
    try {
      EXPECT_EQ(LoadInitTemplate(tab.ws, path, messages), k.model != nullptr);
    } catch (const EOwned& refused) {
      error = refused.message();
    }
    EXPECT_EQ(error, QString::fromUtf8(k.error).replace(QStringLiteral("%1"), path))
        << error.toStdString();
    EXPECT_EQ(messages.Texts(),
              k.question != nullptr ? QStringList{QString::fromUtf8(k.question)} : QStringList());
    if (k.model == nullptr) {
      EXPECT_EQ(ToForm(tab.ws), before);
      EXPECT_EQ(tab.state.SubVersion, 7);
    } else {
      EXPECT_EQ(tab.c().cbDeviceType.Text(), k.model);
      EXPECT_EQ(tab.c().DevNoEdit.text, k.number);
      EXPECT_FALSE(tab.c().CheckBox1.checked);
    }
  }
}

TEST(InitTemplate, AFailedSaveNamesTheFile) {
  test::InitTab tab;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("missing/template.json"));
  try {
    SaveInitTemplate(tab.ws, path);
    ADD_FAILURE() << "saved";
  } catch (const EOwned& error) {
    EXPECT_EQ(
        error.message(),
        QStringLiteral("Не удалось сохранить шаблон \"%1\": No such file or directory").arg(path));
  }
}

}  // namespace
}  // namespace vrx
