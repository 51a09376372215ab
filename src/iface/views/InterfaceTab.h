#pragma once

#include <QWidget>
#include <functional>

#include "iface/InterfaceSettings.h"
#include "session/RunContext.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace vrx {

// The tab "Доп. интерфейс": the controls of the module's settings under their form names. The
// widgets show the core's form and pass the user's input to it; "Прочитать" and "Записать" run
// the core's actions in the action guard and show the form afterwards, also after a failure
// (the fields read before it keep their new values).
class InterfaceTab : public QWidget {
  Q_OBJECT

 public:
  // `portHandler` runs after a change of cbRSSpeed, in the same action: the window's handler of
  // the port selectors.
  InterfaceTab(InterfaceSettings& settings, RunContext& context, std::function<void()> portHandler,
               QWidget* parent = nullptr);

  // Puts the core's form into the widgets.
  void Show();

 private:
  void BuildControls();
  void ConnectControls();
  void RunAndShow(const std::function<void()>& action);

  InterfaceSettings& settings_;
  RunContext& context_;
  std::function<void()> portHandler_;

  QLineEdit* NetNumEdit_ = nullptr;
  QLineEdit* SerNumEdit_ = nullptr;
  QLineEdit* VRXTimeOutEdit_ = nullptr;
  QCheckBox* cbAutoSleep_ = nullptr;
  QLineEdit* ObjIDEdit_ = nullptr;
  QCheckBox* cbModemEnable_ = nullptr;
  QLineEdit* ModemStrEdit_ = nullptr;
  QComboBox* cbRSSpeed_ = nullptr;
  QLineEdit* VersionEdit_ = nullptr;
  QLineEdit* IspEdit_ = nullptr;
  QPushButton* Button5_ = nullptr;
  QPushButton* Button4_ = nullptr;
};

}  // namespace vrx
