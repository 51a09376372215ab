#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/StartupOptions.h"
#include "app/WidgetFileDialogs.h"
#include "iface/InterfaceSettings.h"
#include "init/InitWorkspace.h"
#include "journal/JournalKeeper.h"
#include "rq7/Rq7Workspace.h"
#include "session/ActionStatus.h"
#include "session/RunContext.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace vrx {

class CurrentTab;
class ElidedLabel;
class InitTab;
class InputGuard;
class InterfaceTab;
class ServiceTab;
class TClockVerifyForm;
class THelpForm;
class TSchemePictureForm;

// The main window: the port strip on top, the six tabs below, the status bar at the bottom (what
// the last action did, and the port). Creating it runs the start-up steps and creates the service
// dialogs, which it owns; its clock verification dialog confirms the PC time for the context
// unless the context already has a confirmation. It comes back at the size and place it was
// closed at. Destroying it closes the port.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Page indexes of PageControl1.
  enum Page {
    kInitPage = 0,
    kServicePage,
    kCurrentPage,
    kInterfacePage,
    kRqInitPage,
    kRqCurrentPage
  };

  // When the tabs other than the first are built: with the window (what the tests and the
  // screenshots take), or once the window has first been painted, so that the program's window
  // appears as soon as the first tab is ready. Input that comes earlier builds them first.
  enum class PageBuild { AllAtOnce, RestAfterFirstPaint };

  TMainForm(RunContext& context, const StartupOptions& options,
            PageBuild pages = PageBuild::AllAtOnce, QWidget* parent = nullptr);
  ~TMainForm() override;

  // True when the in-memory tables could not be created: the program must end with code 1.
  bool StartFailed() const { return startFailed_; }

  // The tab "Инициализация VRX" without its widgets; one per window.
  InitWorkspace& Workspace() { return workspace_; }
  // The tab "Доп. интерфейс" without its widgets.
  InterfaceSettings& Interface() { return interface_; }

  // The handler of a change of the port selector, the link speed selector and the interface
  // speed selector: closes the port, saves the selection and opens the port again.
  void cbComSelectorChange();
  void LoadPortSettings();
  void SavePortSettings();
  void OpenPort();
  void bnExitClick();
  // "Порты…": the dialog that assigns the system's serial devices to COM1..COM4; the selected
  // port is opened again afterwards, as the dialog may have changed its device.
  void bnPortsClick();
  // F1 and F2, whatever control has the focus; returns true when the key was one of them.
  bool FormKeyDown(int key);
  // "О программе".
  void bnAboutClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  // Keeps the window's size and place for the next run.
  void closeEvent(QCloseEvent* event) override;

  // F1: the help window on the topic of the page; F2: the picture window on the scheme entry
  // the last scheme change selected (the picture window is created when none is open).
  virtual void ShowHelpTopic(int pageIndex);
  // F1 in a window other than the main one (a dialog, a message box, the picture window): the
  // help on that window's topic; a window without one of its own (a file dialog) takes the topic
  // of the window it was opened from. False for a window without a topic (the help window).
  bool ShowWindowHelp(QWidget* window);
  virtual void ShowSchemePicture();
  bool SchemePictureOpen() const;

 private:
  void BuildWindow();
  QWidget* BuildPortStrip();
  void BuildPages();
  // Where the tab of the page goes: the page scrolls it when the window is smaller than the tab.
  QWidget* PageBody(int index) const;
  void FormCreate();
  // Puts the first tab with its channel and circuit grids on TabSheet1; false when the tables
  // cannot be created.
  bool CreateTables();
  // The tabs other than the first, the service dialogs and the write buttons' tooltips; once.
  void BuildOtherPages();
  // Lays a tab made on its page's body out to fill it.
  static void FillPage(QWidget& tab);
  // Puts the tab "Сервис" on TabSheet2.
  void CreateServiceTab();
  // Puts the RQ-7 unit's two tabs on their pages.
  void BuildRq7Pages();
  // A scheme change while the picture window is open shows the new scheme there and gives the
  // focus back to the main window.
  void RefreshSchemePicture();
  // The "Сброс" action of the current-parameters tab, run once at start.
  void bnResetCurParamsClick();
  void UpdatePortStatus();
  // The status bar's account of every action, and the guard that drops input made meanwhile.
  void ObserveActions();
  void RestorePlacement();
  // The tooltips of the buttons under `root` that write to an instrument.
  static void ShowWriteTips(QWidget& root);
  // Where the help file and the scheme pictures are looked for.
  QStringList DataFolders() const;
  // The one help window, made at the first F1.
  THelpForm& HelpWindow();
  // Over a modal dialog the help window belongs to the dialog, or the dialog would keep it from
  // taking input; when the dialog is done it goes to the next modal dialog or back to the main
  // window. `modal` is the active modal dialog, null for none.
  void HostHelp(QWidget* modal);

  RunContext& context_;
  // Keeps every write of the context's connection while the window lives.
  JournalKeeper journal_;
  const StartupOptions options_;
  bool startFailed_ = false;
  InitWorkspace workspace_;
  InterfaceSettings interface_;
  Rq7Workspace rq7Workspace_;
  const PageBuild pageBuild_;
  bool otherPagesBuilt_ = false;

  QComboBox* cbComSelector_ = nullptr;
  QComboBox* cbComSpeed_ = nullptr;
  QPushButton* bnExit_ = nullptr;
  QPushButton* bnPorts_ = nullptr;
  QTabWidget* PageControl1_ = nullptr;
  InitTab* initTab_ = nullptr;
  InterfaceTab* interfaceTab_ = nullptr;
  ServiceTab* serviceTab_ = nullptr;
  CurrentTab* currentTab_ = nullptr;
  ElidedLabel* lbStatus_ = nullptr;
  ElidedLabel* lbPortStatus_ = nullptr;
  std::unique_ptr<ActionStatus> status_;
  InputGuard* inputGuard_ = nullptr;
  TClockVerifyForm* ClockVerifyForm_ = nullptr;
  WidgetFileDialogs fileDialogs_{this, context_};
  // Made at the first F1 and kept (a window of the main window, or of the modal dialog it was
  // called up over); the picture window is the application's and clears this reference when it
  // closes.
  QPointer<THelpForm> HelpForm_;
  QPointer<TSchemePictureForm> SchemePictureForm_;
  const TSchemeRecord* pictureScheme_ = nullptr;
};

}  // namespace vrx
