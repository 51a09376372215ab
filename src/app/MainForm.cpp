#include "app/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/AboutForm.h"
#include "app/AboutText.h"
#include "app/ElidedLabel.h"
#include "app/HelpFiles.h"
#include "app/HelpForm.h"
#include "app/InputGuard.h"
#include "app/MessageForm.h"
#include "app/PortSettings.h"
#include "app/PortsForm.h"
#include "app/SchemePictureForm.h"
#include "app/ShownValues.h"
#include "app/WriteButtonTips.h"
#include "current/views/CurrentTab.h"
#include "iface/views/InterfaceTab.h"
#include "init/views/InitTab.h"
#include "journal/views/JournalDialog.h"
#include "model/Errors.h"
#include "report/ProgramData.h"
#include "report/SchemePictures.h"
#include "report/views/DocumentActions.h"
#include "rq7/views/Rq7CurrentTab.h"
#include "rq7/views/Rq7InitTab.h"
#include "service/views/ServiceTab.h"
#include "session/ActionConnect.h"
#include "stamp/views/ClockVerifyForm.h"

namespace vrx {

namespace {

Q_LOGGING_CATEGORY(lcApp, "vrx.app", QtWarningMsg)

constexpr int kDesignWidth = 827;
constexpr int kDesignHeight = 631;
constexpr int kMinWidth = 689;
constexpr int kMinHeight = 500;
constexpr int kStripHeight = 34;
constexpr int kExitButtonWidth = 75;
constexpr int kExitButtonHeight = 25;
constexpr int kStripMargin = 8;
// Where the window's size and place are kept between runs.
const QString kGeometryKey = QStringLiteral("MainWindow/Geometry");

const char* const kPageCaptions[] = {"Инициализация VRX", "Сервис",
                                     "Текущие параметры", "Доп. интерфейс",
                                     "Инициализация RQ",  "Текущие параметры RQ"};

QComboBox* DropDownList(const QString& name, const QStringList& items, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(false);
  box->addItems(items);
  return box;
}

}  // namespace

TMainForm::TMainForm(RunContext& context, const StartupOptions& options, PageBuild pages,
                     QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      options_(options),
      workspace_(context.connection.state),
      interface_(context.connection.modbus, context.connection.modbusBuffer),
      pageBuild_(pages) {
  setObjectName(QStringLiteral("MainForm"));
  journal_.Attach(context_.connection);
  workspace_.SetSchemePictureHook([this] { RefreshSchemePicture(); });
  BuildWindow();
  qApp->installEventFilter(this);
  ObserveActions();
  RestorePlacement();
  context_.RunAction([this] { FormCreate(); });
  if (pageBuild_ == PageBuild::AllAtOnce)
    BuildOtherPages();
}

TMainForm::~TMainForm() {
  context_.RemoveObserver(*inputGuard_);
  context_.RemoveObserver(*status_);
  qApp->removeEventFilter(this);
  context_.afterAction = nullptr;
  delete SchemePictureForm_.data();
  if (context_.timeConfirmation == ClockVerifyForm_)
    context_.timeConfirmation = nullptr;
  if (context_.fileDialogs == &fileDialogs_)
    context_.fileDialogs = nullptr;
  // The first tab shows the workspace, which as a member goes before the window's children.
  delete initTab_;
  delete serviceTab_;
  // FormDestroy: the port object outlives the window; only its handle is closed.
  context_.connection.port.Close();
}

void TMainForm::BuildWindow() {
  setWindowTitle(ProgramCaption());
  QFont windowFont = font();
  windowFont.setFamily(QStringLiteral("Arial"));
  setFont(windowFont);
  resize(kDesignWidth, kDesignHeight);
  setMinimumSize(kMinWidth, kMinHeight);

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(BuildPortStrip());
  PageControl1_ = new QTabWidget(central);
  PageControl1_->setObjectName(QStringLiteral("PageControl1"));
  column->addWidget(PageControl1_, 1);
  setCentralWidget(central);
  BuildPages();

  lbStatus_ = new ElidedLabel(QStringLiteral("lbStatus"), this);
  statusBar()->addWidget(lbStatus_, 1);
  lbPortStatus_ = new ElidedLabel(QStringLiteral("lbPortStatus"), this);
  statusBar()->addPermanentWidget(lbPortStatus_);

  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

QWidget* TMainForm::BuildPortStrip() {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFixedHeight(kStripHeight);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(kStripMargin, 0, kStripMargin, 0);

  auto* portLabel = new QLabel(QStringLiteral("СОМ-Порт:"), panel);
  portLabel->setObjectName(QStringLiteral("Label1"));
  cbComSelector_ = DropDownList(QStringLiteral("cbComSelector"), ComPortItems(), panel);
  auto* speedLabel = new QLabel(QStringLiteral("Скорость обмена:"), panel);
  speedLabel->setObjectName(QStringLiteral("Label2"));
  cbComSpeed_ = DropDownList(QStringLiteral("cbComSpeed"), ComSpeedItems(), panel);
  bnPorts_ = new QPushButton(QStringLiteral("Порты…"), panel);
  bnPorts_->setObjectName(QStringLiteral("bnPorts"));
  bnExit_ = new QPushButton(QStringLiteral("Выход"), panel);
  bnExit_->setObjectName(QStringLiteral("bnExit"));
  bnExit_->setFixedSize(kExitButtonWidth, kExitButtonHeight);

  row->addWidget(portLabel);
  row->addWidget(cbComSelector_);
  row->addWidget(bnPorts_);
  row->addSpacing(16);
  row->addWidget(speedLabel);
  row->addWidget(cbComSpeed_);
  row->addStretch(1);
  // The journal of writes opens over the window; the window stays usable behind it only after
  // it is closed.
  auto* bnJournal = new QPushButton(QStringLiteral("Журнал записей…"), panel);
  bnJournal->setObjectName(QStringLiteral("bnJournal"));
  row->addWidget(bnJournal);
  ConnectAction(bnJournal, &QPushButton::clicked, context_, [this] {
    auto* dialog = new JournalDialog(context_, journal_.Database(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    ShowWriteTips(*dialog);
    dialog->open();
  });
  auto* bnAbout = new QToolButton(panel);
  bnAbout->setObjectName(QStringLiteral("bnAbout"));
  bnAbout->setText(QStringLiteral("?"));
  bnAbout->setToolTip(QStringLiteral("О программе"));
  row->addWidget(bnAbout);
  ConnectAction(bnAbout, &QToolButton::clicked, context_, [this] { bnAboutClick(); });
  row->addWidget(bnExit_);

  ConnectAction(bnExit_, &QPushButton::clicked, context_, [this] { bnExitClick(); });
  ConnectAction(bnPorts_, &QPushButton::clicked, context_, [this] { bnPortsClick(); });
  for (QComboBox* selector : {cbComSelector_, cbComSpeed_})
    ConnectAction(selector, &QComboBox::activated, context_, [this] { cbComSelectorChange(); });
  return panel;
}

void TMainForm::BuildPages() {
  int number = 1;
  for (const char* caption : kPageCaptions) {
    // A tab that needs more room than the window gives scrolls, rather than being squeezed until
    // its texts are cut.
    auto* page = new QScrollArea(PageControl1_);
    page->setObjectName(QStringLiteral("TabSheet%1").arg(number++));
    page->setFrameShape(QFrame::NoFrame);
    page->setWidgetResizable(true);
    page->setWidget(new QWidget(page));
    PageControl1_->addTab(page, QString::fromUtf8(caption));
  }
}

QWidget* TMainForm::PageBody(int index) const {
  return static_cast<QScrollArea*>(PageControl1_->widget(index))->widget();
}

void TMainForm::FormCreate() {
  // 1. The first tab is the active page.
  PageControl1_->setCurrentIndex(kInitPage);
  // 2. The port object belongs to the context and is closed until OpenPort.
  // 3. The in-memory tables of the first tab and their grids.
  if (!CreateTables()) {
    context_.messages.ShowError(QStringLiteral("midas.dll не найдена."));
    startFailed_ = true;
    return;
  }
  // 4. A port that does not open is reported by the first exchange, not here.
  LoadPortSettings();
  OpenPort();
  context_.afterAction = [this] { UpdatePortStatus(); };
  // 5. The model list, with the default model chosen as if by the user.
  workspace_.Start();
  // 7. The service and RQ-7 tabs are for service staff only.
  for (int page : {kServicePage, kRqInitPage, kRqCurrentPage})
    PageControl1_->setTabVisible(page, options_.service);
}

bool TMainForm::CreateTables() {
  // The tables are rows of the workspace that exists with the window; only their grids are made.
  initTab_ = new InitTab(workspace_, context_, PageBody(kInitPage));
  FillPage(*initTab_);
  return true;
}

void TMainForm::BuildOtherPages() {
  if (otherPagesBuilt_)
    return;
  otherPagesBuilt_ = true;
  context_.RunAction([this] {
    // A change of the interface speed runs the handler of the port selectors.
    interfaceTab_ = new InterfaceTab(
        interface_, context_, [this] { cbComSelectorChange(); }, PageBody(kInterfacePage));
    FillPage(*interfaceTab_);
    currentTab_ = new CurrentTab(context_, PageBody(kCurrentPage));
    FillPage(*currentTab_);
    // 6. The current-parameters display starts empty (with its tab, after the first paint in
    // the program).
    bnResetCurParamsClick();
    // The documents of both tabs, with the scheme pictures F2 shows.
    new DocumentActions(
        *initTab_, workspace_, *currentTab_, context_,
        [this](uint32_t pictureNumber) { return LoadSchemePicture(DataFolders(), pictureNumber); },
        this);
    BuildRq7Pages();
  });
  // The service dialogs come after the window, hidden and reused for the whole run.
  ClockVerifyForm_ = new TClockVerifyForm(CurrentPcTime, this);
  if (context_.timeConfirmation == nullptr)
    context_.timeConfirmation = ClockVerifyForm_;
  if (context_.fileDialogs == nullptr)
    context_.fileDialogs = &fileDialogs_;
  CreateServiceTab();
  ShowWriteTips(*this);
}

void TMainForm::FillPage(QWidget& tab) {
  auto* fill = new QVBoxLayout(tab.parentWidget());
  fill->setContentsMargins(0, 0, 0, 0);
  fill->addWidget(&tab);
}

void TMainForm::CreateServiceTab() {
  // The service writes erase the archive as the first tab's "Стирать архив" says.
  serviceTab_ = new ServiceTab(
      context_, [this] { return workspace_.Controls().CheckBox1.checked; }, PageBody(kServicePage));
  FillPage(*serviceTab_);
}

void TMainForm::BuildRq7Pages() {
  FillPage(*new Rq7InitTab(
      rq7Workspace_, context_, [this] { return workspace_.Selection().OldFormat(); },
      PageBody(kRqInitPage)));
  FillPage(*new Rq7CurrentTab(
      context_, currentTab_->Lockout(), [this] { return currentTab_->ChosenPath(); },
      PageBody(kRqCurrentPage)));
}

void TMainForm::RefreshSchemePicture() {
  pictureScheme_ = workspace_.Selection().scheme;
  if (!SchemePictureOpen())
    return;
  // A picture that cannot be shown is reported without ending the action that changed the
  // scheme (a reading goes on decoding the instrument's settings).
  try {
    ShowSchemePicture();
  } catch (const EOwned& error) {
    context_.messages.ShowError(error.message());
  }
  activateWindow();
}

void TMainForm::bnResetCurParamsClick() {
  currentTab_->bnResetCurParamsClick();
}

void TMainForm::LoadPortSettings() {
  PortSelection selection;
  context_.WithSettings([&](QSettings& settings) { selection = LoadPortSelection(settings); });
  cbComSelector_->setCurrentIndex(selection.comIndex);
  cbComSpeed_->setCurrentIndex(selection.speedIndex);
}

void TMainForm::SavePortSettings() {
  const PortSelection selection{cbComSelector_->currentIndex(), cbComSpeed_->currentIndex()};
  context_.WithSettings([&](QSettings& settings) { SavePortSelection(settings, selection); });
}

void TMainForm::OpenPort() {
  OpenSelectedPort(context_.connection.port, context_.connection.pacer,
                   cbComSelector_->currentIndex(), cbComSpeed_->currentIndex(),
                   cbComSpeed_->currentText().toUInt());
  UpdatePortStatus();
}

void TMainForm::cbComSelectorChange() {
  // The polling reads the instrument on the port it started on only.
  currentTab_->StopPolling();
  context_.connection.port.Close();
  SavePortSettings();
  OpenPort();
}

void TMainForm::bnExitClick() {
  close();
}

void TMainForm::bnPortsClick() {
  TPortsForm form(context_, SystemSerialDevices(), this);
  form.exec();
  cbComSelectorChange();
}

void TMainForm::bnAboutClick() {
  QString settingsFile;
  context_.WithSettings([&](QSettings& settings) { settingsFile = settings.fileName(); });
  TAboutForm form(journal_.Database().Path(), settingsFile, this);
  form.exec();
}

bool TMainForm::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  // Once the first paint is on the screen.
  if (event->type() == QEvent::Paint && !otherPagesBuilt_ &&
      pageBuild_ == PageBuild::RestAfterFirstPaint)
    QTimer::singleShot(0, this, [this] { BuildOtherPages(); });
  return handled;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  context_.WithSettings(
      [this](QSettings& settings) { settings.setValue(kGeometryKey, saveGeometry()); });
  QMainWindow::closeEvent(event);
}

void TMainForm::RestorePlacement() {
  QByteArray geometry;
  context_.WithSettings(
      [&](QSettings& settings) { geometry = settings.value(kGeometryKey).toByteArray(); });
  // A saved place off every screen is brought back onto one.
  if (!geometry.isEmpty())
    restoreGeometry(geometry);
}

void TMainForm::ObserveActions() {
  // After the window's own filter, so that it sees the input first.
  inputGuard_ = new InputGuard([this] { return context_.InBackground(); }, this);
  ActionStatus::Hooks hooks;
  hooks.show = [this](const QString& text) {
    lbStatus_->setText(text);
    // The window does not draw while an exchange blocks it; the status line is drawn now.
    lbStatus_->repaint();
  };
  hooks.shownValues = [this] {
    const QWidget* modal = QApplication::activeModalWidget();
    return ShownValues(modal != nullptr ? *modal : *PageControl1_->currentWidget());
  };
  status_ = std::make_unique<ActionStatus>(std::move(hooks));
  context_.AddObserver(*status_);
  context_.AddObserver(*inputGuard_);
}

void TMainForm::ShowWriteTips(QWidget& root) {
  for (QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
    const QString tip = WriteButtonTip(button->window()->objectName(), button->objectName());
    if (!tip.isEmpty())
      button->setToolTip(tip);
  }
}

bool TMainForm::FormKeyDown(int key) {
  // The key is taken even when its action fails, so that it does not travel on to the parent
  // widgets and report the same error once more for each of them.
  switch (key) {
    case Qt::Key_F1:
      context_.RunAction([this] { ShowHelpTopic(PageControl1_->currentIndex()); });
      return true;
    case Qt::Key_F2:
      context_.RunAction([this] { ShowSchemePicture(); });
      return true;
    default:
      return false;
  }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  // The user's input never finds the other tabs missing.
  if (!otherPagesBuilt_ && event->isInputEvent())
    BuildOtherPages();
  // The window sees keys before its controls, so F1 and F2 work wherever the focus is; F1 also
  // in the other windows of the program.
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    QWidget* window = static_cast<QWidget*>(watched)->window();
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (window == this)
      return FormKeyDown(key);
    if (key == Qt::Key_F1)
      return ShowWindowHelp(window);
  }
  // The wheel over the grids and the number edits of the first tab steps them; elsewhere it
  // does what it always does.
  if (event->type() == QEvent::Wheel && initTab_ != nullptr && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
    bool handled = false;
    context_.RunAction(
        [&] { handled = initTab_->MouseWheel(static_cast<QWidget*>(watched), delta); });
    return handled;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ShowHelpTopic(int pageIndex) {
  HelpWindow().ShowTopic(HelpTopicOfPage(pageIndex));
}

bool TMainForm::ShowWindowHelp(QWidget* window) {
  if (window == HelpForm_)
    return false;
  QWidget* owner = window;
  QString topic = HelpTopicOfForm(owner->objectName());
  while (topic.isEmpty() && owner->parentWidget() != nullptr) {
    owner = owner->parentWidget()->window();
    topic = owner == this ? HelpTopicOfPage(PageControl1_->currentIndex())
                          : HelpTopicOfForm(owner->objectName());
  }
  if (topic.isEmpty())
    return false;
  context_.RunAction([&] {
    THelpForm& help = HelpWindow();
    HostHelp(QApplication::activeModalWidget());
    if (const auto* box = qobject_cast<TMessageForm*>(window))
      help.ShowMessageTopic(topic, box->Text());
    else
      help.ShowTopic(topic);
  });
  return true;
}

THelpForm& TMainForm::HelpWindow() {
  if (HelpForm_ == nullptr)
    HelpForm_ = new THelpForm(DataFolders(), this);
  return *HelpForm_;
}

void TMainForm::HostHelp(QWidget* modal) {
  auto* dialog = qobject_cast<QDialog*>(modal);
  QWidget* host = dialog != nullptr ? static_cast<QWidget*>(dialog) : this;
  if (HelpForm_->parentWidget() == host)
    return;
  const bool shown = HelpForm_->isVisible();
  const QRect frame = HelpForm_->geometry();
  HelpForm_->setParent(host, HelpForm_->windowFlags());
  HelpForm_->setGeometry(frame);
  if (shown)
    HelpForm_->show();
  if (dialog != nullptr) {
    connect(
        dialog, &QDialog::finished, HelpForm_,
        [this, dialog] {
          QWidget* next = QApplication::activeModalWidget();
          HostHelp(next == dialog ? nullptr : next);
        },
        Qt::SingleShotConnection);
  }
}

void TMainForm::ShowSchemePicture() {
  if (pictureScheme_ == nullptr)
    return;
  QImage picture;
  try {
    picture = TSchemePictureForm::Load(DataFolders(), pictureScheme_->PictureNumber);
  } catch (const EOwned&) {
    // An open window would go on showing another scheme's picture.
    if (SchemePictureForm_ != nullptr)
      SchemePictureForm_->close();
    throw;
  }
  if (SchemePictureForm_ == nullptr)
    SchemePictureForm_ = new TSchemePictureForm();
  SchemePictureForm_->ShowPicture(pictureScheme_->SchemeNumber, picture);
}

bool TMainForm::SchemePictureOpen() const {
  return SchemePictureForm_ != nullptr;
}

QStringList TMainForm::DataFolders() const {
  return options_.dataFolders.isEmpty() ? ProgramDataFolders() : options_.dataFolders;
}

void TMainForm::UpdatePortStatus() {
  const int number = cbComSelector_->currentIndex() + 1;
  const QString device = context_.connection.port.DeviceName(static_cast<uint8_t>(number));
  const bool demoPort = number == StartupOptions::kDemoPortNumber;
  const QString demoType = demoPort ? options_.demoType : QString();
  QString status = PortStatusText(number, device, demoType, context_.connection.port.IsOpen(),
                                  context_.connection.port.LastOpenError());
  if (const LineTrace* trace = context_.connection.port.Trace()) {
    status += QStringLiteral("; трассировка: ") + options_.traceFile;
    if (!trace->Failure().isEmpty())
      status += QStringLiteral(" (не удалось записать: %1)").arg(trace->Failure());
  }
  lbPortStatus_->setText(status);
  qCDebug(lcApp).noquote() << "port status:" << status;
  cbComSelector_->setToolTip(device);
  // Every item tells where its port leads and whether that device is there now.
  const auto ports = PortAssignments(context_.connection.port.Naming(), cbComSelector_->count());
  for (const PortAssignment& port : ports)
    cbComSelector_->setItemData(port.portNumber - 1, PortAssignmentText(port), Qt::ToolTipRole);
}

}  // namespace vrx
