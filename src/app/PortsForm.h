#pragma once

#include <QDialog>
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
// serial server rfc2217://HOST:PORT or tcp://HOST:PORT) is assigned
// to the chosen COMn with "Назначить" and kept as the per-user setting "Ports/COMn".
class TPortsForm : public QDialog {
  Q_OBJECT

 public:
  TPortsForm(RunContext& context, std::vector<SerialDevice> devices, QWidget* parent = nullptr);

  void bnAssignClick();

 private:
  void Build();
  void ShowAssignment();

  RunContext& context_;
  const std::vector<SerialDevice> devices_;
  QTableWidget* sgDevices_ = nullptr;
  QComboBox* cbPort_ = nullptr;
  QLineEdit* edDevice_ = nullptr;
  QLabel* lbAssignment_ = nullptr;
};

}  // namespace vrx
