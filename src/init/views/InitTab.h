#pragma once

#include <QWidget>
#include <exception>
#include <functional>

#include "init/InitWorkspace.h"
#include "session/RunContext.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vrx {

class ChannelsModel;
class CircuitsModel;
class DbGrid;
class NumberEdit;

// The tab "Инициализация VRX": the widgets of the workspace's controls under their form names.
// The widgets show the workspace's state and pass the user's input to it; every rule is the
// workspace's. A user event writes the new value into the control state and runs the matching
// handler inside the action guard; every change the workspace reports is shown at once.
class InitTab : public QWidget {
  Q_OBJECT

 public:
  // `workspace` works on the connection state of `context`.
  InitTab(InitWorkspace& workspace, RunContext& context, QWidget* parent = nullptr);

  // The mouse wheel over a control of the tab: over DBGrid1 or DBGrid2 it moves the current row
  // (delta below 0, turned towards the user: the next row), over DevNoEdit or DevAddrEdit it
  // acts as the down (below 0) or up arrow key in that edit. False for any other widget, which
  // then handles the wheel as usual.
  bool MouseWheel(QWidget* target, int delta);

  // Runs a handler of the tab inside the action guard. A refused value puts the focus on the
  // control it names before the error box shows its message. A cell setter that runs while an
  // action enters a pending cell edit is not guarded on its own: its error ends that action.
  void RunHandler(const std::function<void()>& handler);

 signals:
  // "Печать…" and "Сохранить PDF…" of the settings protocol.
  void printRequested();
  void savePdfRequested();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  QWidget* BuildSelection();
  QWidget* BuildColdWater();
  QWidget* BuildOptions();
  QWidget* BuildL5Options();
  QWidget* BuildChannels();
  void ConnectControls();
  void BindList(QComboBox* box, ListState InitTabControls::*list,
                void (InitWorkspace::*handler)() = nullptr);
  void BindCheck(QCheckBox* box, CheckState InitTabControls::*check,
                 void (InitWorkspace::*handler)() = nullptr);
  void BindEdit(QLineEdit* edit, EditState InitTabControls::*state);

  // Shows the state of every control and both tables.
  void Refresh();
  void RefreshGrids();
  void FocusControl(const QString& name);
  void ReadIniParams();
  // "Провести инициализацию": enters a pending cell edit of the channel grid, then initializes
  // the instrument with the values of the tab.
  void InitializeDevice();
  // Enters the text of an open cell editor of DBGrid1 through the cell's setter and closes the
  // editor; a refused text is rethrown here.
  void EnterChannelEdit();
  // "Сохранить шаблон…" and "Загрузить шаблон…": the tab as a form file, in a file the user
  // chooses; a template of another model is applied only after a "Да" to switching the model.
  void SaveTemplate();
  void LoadTemplate();
  // "Сверить с шаблоном…": reads the instrument, compares it with a template the user chooses and
  // reports the differing settings, which the tab marks.
  void CheckTemplate();
  // Marks the controls and cells of the last comparison and clears the others.
  void MarkDifferences();

  InitWorkspace& workspace_;
  RunContext& context_;
  // Set while the widgets are being filled from the state: their signals are not user input.
  bool refreshing_ = false;
  // Set while EnterChannelEdit enters a cell: where the handler's error is kept.
  std::exception_ptr* enteredError_ = nullptr;

  QLabel* lbDeviceType_ = nullptr;
  QComboBox* cbDeviceType_ = nullptr;
  QLabel* lbTermType_ = nullptr;
  QComboBox* cbTermType_ = nullptr;
  QLabel* wLab_ = nullptr;
  QLabel* lbCountingScheme_ = nullptr;
  QComboBox* cbCountingScheme_ = nullptr;
  NumberEdit* DevNoEdit_ = nullptr;
  NumberEdit* DevAddrEdit_ = nullptr;

  QGroupBox* cwGroup_ = nullptr;
  QLineEdit* winterTcwEdit_ = nullptr;
  QLineEdit* summerTcwEdit_ = nullptr;
  QLineEdit* tcwPressureEdit_ = nullptr;
  QComboBox* cbWinterDst_ = nullptr;
  QComboBox* cbSummerDst_ = nullptr;

  QComboBox* cbQWDim_ = nullptr;
  QComboBox* cbGGoDim_ = nullptr;
  QWidget* plThirdChannel_ = nullptr;
  QCheckBox* cbThirdChannel_ = nullptr;
  QWidget* plLC_ = nullptr;
  QComboBox* cbLCType_ = nullptr;
  QComboBox* cbLCMeasurement_ = nullptr;
  QWidget* plN5_ = nullptr;
  QLabel* lbgth_ = nullptr;
  QComboBox* cbgth_ = nullptr;
  QWidget* plReaction_ = nullptr;
  QComboBox* cbReaction_ = nullptr;
  QCheckBox* cbUsePresetP_ = nullptr;

  QGroupBox* GroupBox2_ = nullptr;
  DbGrid* DBGrid1_ = nullptr;
  DbGrid* DBGrid2_ = nullptr;
  QLabel* lbCircuits_ = nullptr;
  ChannelsModel* cdsChannels_ = nullptr;
  CircuitsModel* cdsCircuits_ = nullptr;

  QPushButton* bbReadIniParams_ = nullptr;
  QCheckBox* CheckBox1_ = nullptr;
  QPushButton* bbInitialize_ = nullptr;
  QPushButton* bnSaveTemplate_ = nullptr;
  QPushButton* bnLoadTemplate_ = nullptr;
  QPushButton* bnCheckTemplate_ = nullptr;
  QPushButton* bnPrint_ = nullptr;
  QPushButton* bnSavePdf_ = nullptr;
  // The controls MarkDifferences marked.
  QList<QWidget*> marked_;
};

}  // namespace vrx
