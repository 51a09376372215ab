#pragma once

#include <QMainWindow>

#include "session/RunContext.h"
#include "app/StartupOptions.h"
#include "workspace/InitWorkspace.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace vrx {

class InitTab;
class TClockVerifyForm;

// The main window: the port strip on top, the six tabs below, the port status line at the
// bottom. Creating it runs the start-up steps and creates the service dialogs, which it owns;
// its clock verification dialog confirms the PC time for the context unless the context already
// has a confirmation. Destroying it closes the port.
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

  TMainForm(RunContext& context, const StartupOptions& options, QWidget* parent = nullptr);
  ~TMainForm() override;

  // True when the in-memory tables could not be created: the program must end with code 1.
  bool StartFailed() const { return startFailed_; }

  // The tab "Инициализация VRX" without its widgets; one per window.
  InitWorkspace& Workspace() { return workspace_; }

  // The handler of a change of the port selector, the link speed selector and the interface
  // speed selector: closes the port, saves the selection and opens the port again.
  void cbComSelectorChange();
  void LoadPortSettings();
  void SavePortSettings();
  void OpenPort();
  void bnExitClick();
  // F1 and F2, whatever control has the focus; returns true when the key was one of them.
  bool FormKeyDown(int key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

  // F1: the help topic of the page; F2: the picture of the selected scheme. The help and
  // picture windows fill these in.
  virtual void ShowHelpTopic(int pageIndex);
  virtual void ShowSchemePicture();
  // Whether the scheme picture window is open; the picture window answers it.
  virtual bool SchemePictureOpen() const { return false; }

 private:
  void BuildWindow();
  QWidget* BuildPortStrip();
  void BuildPages();
  void FormCreate();
  // Puts the first tab with its channel and circuit grids on TabSheet1; false when the tables
  // cannot be created.
  bool CreateTables();
  // A scheme change while the picture window is open shows the new scheme there and gives the
  // focus back to the main window.
  void RefreshSchemePicture();
  // The "Сброс" action of the current-parameters tab, run once at start.
  void bnResetCurParamsClick();
  void UpdatePortStatus();

  RunContext& context_;
  const StartupOptions options_;
  bool startFailed_ = false;
  InitWorkspace workspace_;

  QComboBox* cbComSelector_ = nullptr;
  QComboBox* cbComSpeed_ = nullptr;
  QPushButton* bnExit_ = nullptr;
  QTabWidget* PageControl1_ = nullptr;
  InitTab* initTab_ = nullptr;
  QLabel* lbPortStatus_ = nullptr;
  TClockVerifyForm* ClockVerifyForm_ = nullptr;
};

}  // namespace vrx
