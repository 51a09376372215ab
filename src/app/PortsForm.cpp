#include "app/PortsForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/PortSettings.h"
#include "link/NetworkAddress.h"
#include "session/ActionConnect.h"

namespace vrx {

namespace {
enum Column { kDevice, kDescription, kManufacturer, kUsbIds, kSerial, kColumns };
}  // namespace

TPortsForm::TPortsForm(RunContext& context, std::vector<SerialDevice> devices, QWidget* parent,
                       DeviceScan scan)
    : QDialog(parent), context_(context), devices_(std::move(devices)), scan_(std::move(scan)) {
  setObjectName(QStringLiteral("PortsForm"));
  setWindowTitle(QStringLiteral("Порты"));
  Build();
  ShowDevices();
  ShowAssignment();
}

void TPortsForm::Build() {
  sgDevices_ = new QTableWidget(0, kColumns, this);
  sgDevices_->setObjectName(QStringLiteral("sgDevices"));
  sgDevices_->setHorizontalHeaderLabels({QStringLiteral("Устройство"), QStringLiteral("Описание"),
                                         QStringLiteral("Изготовитель"), QStringLiteral("VID:PID"),
                                         QStringLiteral("Серийный номер")});
  sgDevices_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgDevices_->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgDevices_->setSelectionMode(QAbstractItemView::SingleSelection);
  sgDevices_->verticalHeader()->hide();
  sgDevices_->horizontalHeader()->setStretchLastSection(true);
  sgDevices_->setToolTip(QStringLiteral("Двойной щелчок назначает устройство выбранному порту"));

  auto* lbPort = new QLabel(QStringLiteral("Порт:"), this);
  lbPort->setObjectName(QStringLiteral("lbPort"));
  cbPort_ = new QComboBox(this);
  cbPort_->setObjectName(QStringLiteral("cbPort"));
  cbPort_->addItems(ComPortItems());
  lbPort->setBuddy(cbPort_);
  auto* lbDevice = new QLabel(QStringLiteral("Устройство:"), this);
  lbDevice->setObjectName(QStringLiteral("lbDevice"));
  edDevice_ = new QLineEdit(this);
  edDevice_->setObjectName(QStringLiteral("edDevice"));
  edDevice_->setPlaceholderText(
      QStringLiteral("строка списка или путь, напр. /dev/ttyUSB0; пусто — по умолчанию"));
  lbDevice->setBuddy(edDevice_);
  // The placeholder is read whole.
  edDevice_->setMinimumWidth(
      edDevice_->fontMetrics().horizontalAdvance(edDevice_->placeholderText()) +
      edDevice_->fontMetrics().averageCharWidth() * 2);
  lbAssignment_ = new QLabel(this);
  lbAssignment_->setObjectName(QStringLiteral("lbAssignment"));
  auto* bnRescan = new QPushButton(QStringLiteral("Обновить"), this);
  bnRescan->setObjectName(QStringLiteral("bnRescan"));
  bnRescan->setToolTip(
      QStringLiteral("Найти устройства заново, например адаптер, подключенный "
                     "после открытия окна"));
  auto* bnAssign = new QPushButton(QStringLiteral("Назначить"), this);
  bnAssign->setObjectName(QStringLiteral("bnAssign"));
  // Enter in the device field assigns it.
  bnAssign->setDefault(true);
  auto* bnClose = new QPushButton(QStringLiteral("Закрыть"), this);
  bnClose->setObjectName(QStringLiteral("bnClose"));

  auto* row = new QGridLayout;
  row->addWidget(lbPort, 0, 0);
  row->addWidget(cbPort_, 0, 1);
  row->addWidget(lbDevice, 0, 2);
  row->addWidget(edDevice_, 0, 3);
  row->addWidget(bnAssign, 0, 4);
  row->addWidget(lbAssignment_, 1, 0, 1, 4);
  row->addWidget(bnClose, 1, 4);
  row->setColumnStretch(3, 1);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("Последовательные порты системы:"), this), 1);
  top->addWidget(bnRescan);
  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addWidget(sgDevices_, 1);
  column->addLayout(row);
  // A few devices show without scrolling.
  constexpr int kShownDevices = 4;
  sgDevices_->setMinimumHeight(sgDevices_->horizontalHeader()->sizeHint().height() +
                               kShownDevices * sgDevices_->verticalHeader()->defaultSectionSize() +
                               2 * sgDevices_->frameWidth());
  resize(minimumSizeHint().expandedTo(QSize(720, 340)));

  connect(sgDevices_, &QTableWidget::itemSelectionChanged, this, [this] {
    const int selected = sgDevices_->currentRow();
    if (selected >= 0)
      edDevice_->setText(sgDevices_->item(selected, kDevice)->text());
  });
  ConnectAction(sgDevices_, &QTableWidget::cellDoubleClicked, context_, [this] {
    edDevice_->setText(sgDevices_->item(sgDevices_->currentRow(), kDevice)->text());
    bnAssignClick();
  });
  connect(cbPort_, &QComboBox::currentIndexChanged, this, [this] { ShowAssignment(); });
  ConnectAction(bnRescan, &QPushButton::clicked, context_, [this] { bnRescanClick(); });
  ConnectAction(bnAssign, &QPushButton::clicked, context_, [this] { bnAssignClick(); });
  connect(bnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TPortsForm::ShowDevices() {
  sgDevices_->clearContents();
  sgDevices_->setRowCount(static_cast<int>(devices_.size()));
  for (int row = 0; row < static_cast<int>(devices_.size()); ++row) {
    const SerialDevice& d = devices_[static_cast<size_t>(row)];
    const QString cells[kColumns] = {d.device, d.description, d.manufacturer, UsbIds(d),
                                     d.serialNumber};
    for (int column = 0; column < kColumns; ++column)
      sgDevices_->setItem(row, column, new QTableWidgetItem(cells[column]));
  }
  sgDevices_->resizeColumnsToContents();
}

void TPortsForm::bnRescanClick() {
  devices_ = scan_();
  ShowDevices();
  ShowAssignment();
}

void TPortsForm::bnAssignClick() {
  const int portNumber = cbPort_->currentIndex() + 1;
  const QString device = edDevice_->text().trimmed();
  // A network serial server is no device of the system: there is nothing to look for.
  if (!device.isEmpty() && !NetworkAddress::Names(device) && !DevicePresent(device) &&
      !context_.messages.Confirm(MissingDeviceQuestion(portNumber, device))) {
    return;
  }
  context_.WithSettings([&](QSettings& settings) { SavePortDevice(settings, portNumber, device); });
  ShowAssignment();
}

void TPortsForm::ShowAssignment() {
  const int portNumber = cbPort_->currentIndex() + 1;
  const PortAssignment port = PortAssignments(context_.connection.port.Naming(), portNumber).back();
  lbAssignment_->setText(PortAssignmentText(port));
}

}  // namespace vrx
