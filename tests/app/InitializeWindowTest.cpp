#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "app/DemoInstrument.h"
#include "app/MainForm.h"
#include "cli/CtlInstrument.h"
#include "image/SettingsFields.h"
#include "journal/JournalDatabase.h"
#include "sim/HeatCalculator.h"
#include "support/ChosenFile.h"
#include "support/FakePortLine.h"
#include "support/QtPrinters.h"
#include "support/ScriptedConfirmation.h"
#include "support/WidgetTestHelpers.h"
#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

using F = ChannelField;

using test::ScriptedConfirmation;

// The window as the demo mode starts it, with an emulated instrument on COM1, driven as a user
// drives it.
class InitializeWindow : public ::testing::Test {
 protected:
  // The scripted answers stand in for the window's clock dialog unless `clockDialog` is set.
  void Start(const char* type, bool clockDialog = false) {
    form_.reset();
    context_.reset();
    instrument_.reset();
    messages_.Clear();
    context_ = std::make_unique<RunContext>(pacer_, cursor_, messages_, test::PlainNaming(),
                                            std::unique_ptr<SerialBackend>(),
                                            dir_.filePath(QStringLiteral("tool.ini")));
    if (!clockDialog)
      context_->timeConfirmation = &confirmation_;
    instrument_ = StartDemoInstrument(*context_, QString::fromLatin1(type));
    form_ = std::make_unique<TMainForm>(*context_, StartupOptions{});
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }

  template <typename T = QWidget>
  T* Find(const char* name) {
    // The first tab's controls first: the calibration dialogs have a grid "DBGrid1" of their own.
    const QString objectName = QString::fromLatin1(name);
    T* widget = form_->findChild<QWidget*>(QStringLiteral("TabSheet1"))->findChild<T*>(objectName);
    if (widget == nullptr)
      widget = form_->findChild<T*>(objectName);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  void Choose(const char* list, const char* item) {
    auto* box = Find<QComboBox>(list);
    const int index = box->findText(QString::fromUtf8(item));
    ASSERT_GE(index, 0) << item;
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  void Type(const char* edit, const char* text) {
    auto* line = Find<QLineEdit>(edit);
    line->selectAll();
    QTest::keyClicks(line, QString::fromUtf8(text));
  }

  QTableView* Grid() { return Find<QTableView>("DBGrid1"); }

  QModelIndex Cell(int channel, F field) {
    const int row = form_->Workspace().cdsChannels().FindChannel(channel);
    EXPECT_GE(row, 0) << "channel " << channel;
    return Grid()->model()->index(row, ChannelsTable::GridColumnOf(field));
  }

  // Opens the cell's drop-down list and picks an item, which enters it at once.
  void Pick(int channel, F field, const char* item) {
    const QModelIndex cell = Cell(channel, field);
    Grid()->setCurrentIndex(cell);
    Grid()->edit(cell);
    auto* list = qobject_cast<QComboBox*>(Grid()->indexWidget(cell));
    ASSERT_NE(list, nullptr);
    const int index = list->findText(QString::fromUtf8(item));
    ASSERT_GE(index, 0) << item;
    list->setCurrentIndex(index);
    emit list->activated(index);
  }

  // Types into the cell's editor and leaves it open.
  void TypeInCell(int channel, F field, const char* text) {
    const QModelIndex cell = Cell(channel, field);
    Grid()->setCurrentIndex(cell);
    Grid()->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(Grid()->indexWidget(cell));
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QString::fromUtf8(text));
  }

  void EnterInCell(int channel, F field, const char* text) {
    TypeInCell(channel, field, text);
    QTest::keyClick(Grid()->indexWidget(Cell(channel, field)), Qt::Key_Return);
    // The editor enters its text and closes from the event queue.
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(Grid()->indexWidget(Cell(channel, field)), nullptr);
  }

  // Changes what the instrument holds, field by field of its model's image.
  void Store(const std::function<void(SettingsImage&)>& change) {
    sim::ByteProtocolInstrument& device = instrument_->Device();
    const auto& calculator = static_cast<const sim::HeatCalculator&>(device);
    const ConnectionState state = test::StateFor(calculator.TypeIndex());
    std::vector<uint8_t> bytes = device.Image();
    InstrumentBuffer buffer;
    std::copy(bytes.begin(), bytes.end(), buffer.bytes.begin());
    SettingsImage image(buffer, state);
    change(image);
    std::copy_n(buffer.bytes.begin(), bytes.size(), bytes.begin());
    device.SetImage(bytes);
  }

  void Read() { QTest::mouseClick(Find<QPushButton>("bbReadIniParams"), Qt::LeftButton); }
  void Initialize() { QTest::mouseClick(Find<QPushButton>("bbInitialize"), Qt::LeftButton); }

  static QString FocusName() {
    const QWidget* focused = QApplication::focusWidget();
    return focused != nullptr ? focused->objectName() : QStringLiteral("(none)");
  }
  size_t Writes() const { return instrument_->Device().Writes().size(); }

  QTemporaryDir dir_;
  RealPacer pacer_;
  PlainCursor cursor_;
  RecordingMessages messages_;
  ScriptedConfirmation confirmation_;
  std::unique_ptr<sim::EmulatedInstrument> instrument_;
  std::unique_ptr<RunContext> context_;
  std::unique_ptr<TMainForm> form_;
};

TEST_F(InitializeWindow, ARefusedValueIsFocusedAndItsMessageShownAndNothingIsWritten) {
  const struct {
    const char* name;
    const char* type;    // the model emulated, and chosen in the list where there is a scheme
    const char* scheme;  // nullptr: the instrument's settings are read instead
    std::function<void(SettingsImage&)> stored;
    std::function<void()> edit;
    const char* message;
    const char* focus;  // "" where the focus stays on the button just clicked
  } cases[] = {
      {"stored scheme not offered",
       "VRX-L2-1.0",
       nullptr,
       [](SettingsImage& i) { SetSchemeCodeByte(i, 0xEE); },
       {},
       "Не задан номер измерительной схемы",
       "cbCountingScheme"},
      {"device number 65536",
       "VRX-L2-1.0",
       "6",
       {},
       [this] { Type("DevNoEdit", "65536"); },
       "Номер прибора должен быть числом от 0 до 65535.",
       "DevNoEdit"},
      {"address 63",
       "VRX-L2-1.0",
       "6",
       {},
       [this] { Type("DevAddrEdit", "63"); },
       "Сетевой адрес должен быть числом от 1 до 62, либо отсутствовать.",
       "DevAddrEdit"},
      {"winter cold water 1,9",
       "VRX-L2-1.0",
       "6",
       {},
       [this] { Type("winterTcwEdit", "1,9"); },
       "Температура холодной воды должна быть числом от 2 до 25,5.",
       "winterTcwEdit"},
      {"summer cold water 25.6",
       "VRX-L2-1.0",
       "6",
       {},
       [this] { Type("summerTcwEdit", "25.6"); },
       "Температура холодной воды должна быть числом от 2 до 25,5.",
       "summerTcwEdit"},
      {"cold-water pressure 16.5",
       "VRX-L2-1.0",
       "6",
       {},
       [this] { Type("tcwPressureEdit", "16.5"); },
       "Давление воды должно быть числом от 0 до 16,0",
       "tcwPressureEdit"},
      {"VRX-L1 cold-water pressure 0",
       "VRX-L1-1.1",
       "17",
       {},
       [this] { Type("tcwPressureEdit", "0"); },
       "Давление воды должно быть целым числом от 1 до 16",
       "tcwPressureEdit"},
      {"stored winter month 0",
       "VRX-L2-1.0",
       nullptr,
       [](SettingsImage& i) {
         SetSwitchMonths(i, {4, 0});
       },
       {},
       "Не задан месяц перехода на зимнюю температуру",
       "cbWinterDst"},
      {"stored summer month 0",
       "VRX-L2-1.0",
       nullptr,
       [](SettingsImage& i) {
         SetSwitchMonths(i, {0, 10});
       },
       {},
       "Не задан месяц перехода на летнюю температуру",
       "cbSummerDst"},
      {"equal months",
       "VRX-L2-1.0",
       "6",
       {},
       [this] { Choose("cbSummerDst", "Октябрь"); },
       "Месяцы перехода на зимнее/летнее время не должны совпадать.",
       ""},
      {"stored group 3",
       "VRX-L2-1.0",
       nullptr,
       [](SettingsImage& i) { SetDiameterGroup(i, 2, 3); },
       {},
       "Не задан Ду  канала №2",
       "DBGrid1"},
      {"stored pulse value 0",
       "VRX-L2-1.0",
       nullptr,
       [](SettingsImage& i) { SetPulseCode(i, 2, 0); },
       {},
       "Не задана цена импульса канала №2",
       "DBGrid1"},
      {"stored agreed temperature 200",
       "VRX-L2-1.0",
       nullptr,
       [](SettingsImage& i) {
         SetAgreedTemperatureFlag(i, 1, true);
         SetAgreedTemperatureWord(i, 2, 200 * 80);
       },
       {},
       "Договорное значение температуры должно быть числом от 1 до 150",
       "DBGrid1"},
      {"VRX-L1 stored agreed temperature 1",
       "VRX-L1-1.1",
       nullptr,
       [](SettingsImage& i) {
         SetAgreedTemperatureFlag(i, 1, true);
         const uint8_t family = FamilyOf(DeviceTypeAt(test::kL1Type)).Code;
         SetAgreedTemperatureWord(i, 1, static_cast<uint16_t>(ThermometerCode(family, 1)));
       },
       {},
       "Договорное значение температуры должно быть числом от 3 до 150",
       "DBGrid1"},
      {"equal pulse values",
       "VRX-L1-1.1",
       "20",
       {},
       [this] { Pick(2, F::Ticks, "0,1 м3/имп"); },
       "Цена импульсов каналов №1 и №2 должны быть равны",
       ""},
      {"pulse values ten times apart",
       "VRX-L1-1.1",
       "17",
       {},
       [this] {
         Pick(1, F::Ticks, "0,001 м3/имп");
         Pick(2, F::Ticks, "0,1 м3/имп");
       },
       "Цены импульсов каналов №1 и №2 должны отличаться не более чем в десять раз",
       ""},
      {"group of channel 1 below channel 2",
       "VRX-L2-1.0",
       "6",
       {},
       [this] { Pick(2, F::Dy, "50...100"); },
       "Группа канала №1 должна быть равна или больше на единицу группы канала №2",
       ""},
      {"far groups in GJ",
       "VRX-L5-1.0",
       "25",
       {},
       [this] { Pick(3, F::Dy, "125...300"); },
       "Для выбранных групп Ду каналов №1 и №3 теплота может измеряться только в ГКал",
       ""},
      {"VRX-L1 120 degrees at 2 kgf/cm2",
       "VRX-L1-1.1",
       "17",
       {},
       [this] {
         Pick(1, F::PresettingTemperature, "Договорная");
         EnterInCell(1, F::TemperaturePreset, "120");
         EnterInCell(1, F::PressurePreset, "2");
       },
       "Для давления 1 кгс/см2 температура должна быть не более 119 °C",
       "DBGrid1"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    Start(k.type);
    if (k.scheme == nullptr) {
      Store(k.stored);
      Read();
    } else {
      Choose("cbDeviceType", k.type);
      Choose("cbCountingScheme", k.scheme);
    }
    if (k.edit)
      k.edit();
    ASSERT_EQ(messages_.Texts(), QStringList());

    Initialize();
    EXPECT_EQ(messages_.Texts(), QStringList{QString::fromUtf8(k.message)});
    EXPECT_EQ(FocusName(), *k.focus != '\0' ? k.focus : "bbInitialize");
    EXPECT_EQ(Writes(), 0u);
  }
}

TEST_F(InitializeWindow, EditsShowTheSeparatorTheCheckPutIn) {
  Start("VRX-L2-1.0");
  Choose("cbDeviceType", "VRX-L2-1.0");
  Choose("cbCountingScheme", "6");
  Type("winterTcwEdit", "5.5");
  Type("tcwPressureEdit", "2.5");
  Choose("cbSummerDst", "Октябрь");
  Initialize();
  EXPECT_EQ(messages_.Texts(),
            QStringList{"Месяцы перехода на зимнее/летнее время не должны совпадать."});
  EXPECT_EQ(Find<QLineEdit>("winterTcwEdit")->text(), QStringLiteral("5,5"));
  EXPECT_EQ(Find<QLineEdit>("tcwPressureEdit")->text(), QStringLiteral("2,5"));
}

// The window keeps the journal of its writes: an initialization by clicks leaves its record,
// finished and checked, in the journal of the run.
TEST_F(InitializeWindow, AWriteByClicksLeavesItsJournalRecord) {
  Start("VRX-L2-1.0");
  Read();
  JournalDatabase journal(JournalDatabase::DefaultPath());
  const size_t before = journal.List().size();
  Initialize();
  ASSERT_EQ(Writes(), 1u) << messages_.Texts().join(QLatin1Char('\n')).toStdString();
  const std::vector<JournalRecord> records = journal.List();
  ASSERT_EQ(records.size(), before + 1);
  EXPECT_EQ(records.front().entry.operation, QStringLiteral("Инициализация"));
  EXPECT_EQ(records.front().entry.model, QStringLiteral("VRX-L2-1.0"));
  EXPECT_EQ(records.front().outcome, QStringLiteral("Записано и проверено чтением"));
}

// A click that does not take the focus (an accelerator, a script) finds a cell editor still
// open: its text is entered first, through the cell's own rule.
TEST_F(InitializeWindow, AnOpenCellEditorIsEnteredBeforeTheCheck) {
  const struct {
    const char* name;
    F field;
    const char* text;
    const char* message;
  } cases[] = {
      {"accepted by the cell, refused by the check", F::PressurePreset, "2",
       "Для давления 1 кгс/см2 температура должна быть не более 119 °C"},
      {"refused by the cell", F::TemperaturePreset, "200",
       "Договорное значение температуры должно быть числом от 3 до 150"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    Start("VRX-L1-1.1");
    Choose("cbDeviceType", "VRX-L1-1.1");
    Choose("cbCountingScheme", "17");
    Pick(1, F::PresettingTemperature, "Договорная");
    EnterInCell(1, F::TemperaturePreset, "120");
    TypeInCell(1, k.field, k.text);
    ASSERT_NE(Grid()->indexWidget(Cell(1, k.field)), nullptr);

    Find<QPushButton>("bbInitialize")->click();
    EXPECT_EQ(messages_.Texts(), QStringList{QString::fromUtf8(k.message)});
    EXPECT_EQ(FocusName(), QStringLiteral("DBGrid1"));
    EXPECT_EQ(Grid()->indexWidget(Cell(1, k.field)), nullptr);
    EXPECT_EQ(Writes(), 0u);
  }
}

TEST_F(InitializeWindow, TheTimeIsConfirmedOncePerRunAndARefusalEndsTheClickSilently) {
  Start("VRX-L2-1.0");
  Read();
  ASSERT_EQ(messages_.Texts(), QStringList());

  confirmation_.script = {false};
  Initialize();
  EXPECT_EQ(confirmation_.asked, 1);
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(messages_.Texts(), QStringList());

  Initialize();
  EXPECT_EQ(confirmation_.asked, 2);
  EXPECT_EQ(Writes(), 1u);
  EXPECT_EQ(messages_.Texts(), QStringList{"Прибор проинициализирован успешно."});

  messages_.Clear();
  Initialize();
  EXPECT_EQ(confirmation_.asked, 2);
  EXPECT_EQ(Writes(), 2u);
  EXPECT_EQ(messages_.Texts(), QStringList{"Прибор проинициализирован успешно."});
}

TEST_F(InitializeWindow, TheWindowsClockDialogAsksAndIsReused) {
  Start("VRX-L2-1.0", true);
  Read();
  auto* dialog = Find<QDialog>("ClockVerifyForm");
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(dialog->isVisible());

  const struct {
    const char* button;
    size_t writes;
    QStringList messages;
  } answers[] = {
      {"BitBtn2", 0, {}},
      {"BitBtn1", 1, {"Прибор проинициализирован успешно."}},
  };
  for (const auto& answer : answers) {
    SCOPED_TRACE(answer.button);
    QWidget* asking = nullptr;
    auto seen = test::OnNextModal([&](QWidget* modal) {
      asking = modal;
      QTest::mouseClick(modal->findChild<QPushButton*>(answer.button), Qt::LeftButton);
    });
    Initialize();
    EXPECT_TRUE(*seen);
    EXPECT_EQ(asking, dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Writes(), answer.writes);
    EXPECT_EQ(messages_.Texts(), answer.messages);
  }
}

// A template saved after "Считать" is what `vrxctl settings --json` prints for the same settings,
// and the window and `vrxctl init --form` write the same block from one template, whether the
// window saved it or loaded it.
TEST_F(InitializeWindow, TemplatesAreTheCompanionsFormFiles) {
  const QDateTime now = test::At(2025, 3, 14, 15, 9);
  for (const char* type : {"VRX-L1-2.1", "VRX-L13-2.2"}) {
    SCOPED_TRACE(type);
    Start(type);
    context_->timeStamp = PcTimeStamp([now] { return now; });
    test::ChosenFile files;
    context_->fileDialogs = &files;
    test::Instrument companion(type);
    companion.Device().SetImage(instrument_->Device().Image());
    const auto template_ = [&](const char* button, const QString& name) {
      files.path = companion.dir.filePath(name);
      QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
      return files.path;
    };
    const auto writesAlike = [&](const QString& path) {
      Initialize();
      // A VRX-L1 asks on whether to leave initialization mode.
      ASSERT_EQ(messages_.Texts().size(), 1) << messages_.Texts().join('\n').toStdString();
      ASSERT_TRUE(messages_.Texts().front().startsWith("Прибор проинициализирован успешно."));
      messages_.Clear();
      const test::CtlRun run = companion.Run({"init", "--form", path, "--time-ok"}, {}, now);
      ASSERT_EQ(run.code, 0) << run.err.toStdString();
      EXPECT_EQ(instrument_->Device().Writes(), companion.Device().Writes());
    };

    Read();
    const test::CtlRun printed = companion.Run({"settings", "--json"});
    QFile saved(template_("bnSaveTemplate", "read.json"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), printed.out);

    // Edited on the tab and saved.
    Type("DevNoEdit", "4321");
    Choose("cbSummerDst", "Апрель");
    Pick(1, F::PresettingTemperature, "Договорная");
    EnterInCell(1, F::TemperaturePreset, "70");
    writesAlike(template_("bnSaveTemplate", "edited.json"));

    // Edited in the file as printed, and loaded.
    QJsonObject form = QJsonDocument::fromJson(printed.out.toUtf8()).object();
    form.insert("DevNoEdit", "777");
    form.insert("cbWinterDst", "Ноябрь");
    writesAlike(template_("bnLoadTemplate", companion.WriteForm(form).section('/', -1)));
    EXPECT_EQ(Find<QLineEdit>("DevNoEdit")->text(), "777");
    EXPECT_EQ(instrument_->Device().Writes().size(), 2u);
    // Both buttons ask for the one kind of file, so they start in the same folder.
    EXPECT_EQ(files.asked, (QStringList{"save Сохранить шаблон Templates Шаблоны (*.json) json",
                                        "save Сохранить шаблон Templates Шаблоны (*.json) json",
                                        "open Загрузить шаблон Templates Шаблоны (*.json)"}));
  }
}

}  // namespace
}  // namespace vrx
