#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "link/SerialDevices.h"
#include "session/RunContext.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vrx {

// The dialog "Порты": the serial devices of the system and what each COMn resolves to. A device
// chosen in the list (or typed, e.g. a pseudo-terminal, a /dev/serial/by-id name or a network
// serial server rfc2217://HOST:PORT or tcp://HOST:PORT) is assigned to the chosen COMn with
// "Назначить" (or a double click on its row) and kept as the per-user setting "Ports/COMn"; a
// device that is not there is kept only after a question. "Обновить" lists the devices again,
// e.g. an adapter plugged in after the dialog opened.
class TPortsForm : public QDialog {
  Q_OBJECT

 public:
  using DeviceScan = std::function<std::vector<SerialDevice>()>;

  TPortsForm(RunContext& context, std::vector<SerialDevice> devices, QWidget* parent = nullptr,
             DeviceScan scan = SystemSerialDevices);

  void bnAssignClick();
  void bnRescanClick();

 private:
  void Build();
  void ShowDevices();
  void ShowAssignment();

  RunContext& context_;
  std::vector<SerialDevice> devices_;
  DeviceScan scan_;
  QTableWidget* sgDevices_ = nullptr;
  QComboBox* cbPort_ = nullptr;
  QLineEdit* edDevice_ = nullptr;
  QLabel* lbAssignment_ = nullptr;
};

}  // namespace vrx
