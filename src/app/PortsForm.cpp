#include "app/PortsForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/PortSettings.h"
#include "session/ActionConnect.h"

namespace vrx {

namespace {
enum Column { kDevice, kDescription, kManufacturer, kUsbIds, kSerial, kColumns };
}  // namespace

TPortsForm::TPortsForm(RunContext& context, std::vector<SerialDevice> devices, QWidget* parent)
    : QDialog(parent), context_(context), devices_(std::move(devices)) {
  setObjectName(QStringLiteral("PortsForm"));
  setWindowTitle(QStringLiteral("Порты"));
  Build();
  ShowAssignment();
}

void TPortsForm::Build() {
  sgDevices_ = new QTableWidget(static_cast<int>(devices_.size()), kColumns, this);
  sgDevices_->setObjectName(QStringLiteral("sgDevices"));
  sgDevices_->setHorizontalHeaderLabels({QStringLiteral("Устройство"), QStringLiteral("Описание"),
                                         QStringLiteral("Изготовитель"), QStringLiteral("VID:PID"),
                                         QStringLiteral("Серийный номер")});
  sgDevices_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgDevices_->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgDevices_->setSelectionMode(QAbstractItemView::SingleSelection);
  sgDevices_->verticalHeader()->hide();
  for (int row = 0; row < static_cast<int>(devices_.size()); ++row) {
    const SerialDevice& d = devices_[static_cast<size_t>(row)];
    const QString cells[kColumns] = {d.device, d.description, d.manufacturer, UsbIds(d),
                                     d.serialNumber};
    for (int column = 0; column < kColumns; ++column)
      sgDevices_->setItem(row, column, new QTableWidgetItem(cells[column]));
  }
  sgDevices_->resizeColumnsToContents();

  cbPort_ = new QComboBox(this);
  cbPort_->setObjectName(QStringLiteral("cbPort"));
  cbPort_->addItems(ComPortItems());
  edDevice_ = new QLineEdit(this);
  edDevice_->setObjectName(QStringLiteral("edDevice"));
  lbAssignment_ = new QLabel(this);
  lbAssignment_->setObjectName(QStringLiteral("lbAssignment"));
  auto* bnAssign = new QPushButton(QStringLiteral("Назначить"), this);
  bnAssign->setObjectName(QStringLiteral("bnAssign"));
  auto* bnClose = new QPushButton(QStringLiteral("Закрыть"), this);
  bnClose->setObjectName(QStringLiteral("bnClose"));

  auto* row = new QGridLayout;
  row->addWidget(cbPort_, 0, 0);
  row->addWidget(edDevice_, 0, 1);
  row->addWidget(bnAssign, 0, 2);
  row->addWidget(lbAssignment_, 1, 0, 1, 2);
  row->addWidget(bnClose, 1, 2);
  row->setColumnStretch(1, 1);
  auto* column = new QVBoxLayout(this);
  column->addWidget(sgDevices_, 1);
  column->addLayout(row);
  resize(640, 320);

  connect(sgDevices_, &QTableWidget::itemSelectionChanged, this, [this] {
    const int selected = sgDevices_->currentRow();
    if (selected >= 0)
      edDevice_->setText(sgDevices_->item(selected, kDevice)->text());
  });
  connect(cbPort_, &QComboBox::currentIndexChanged, this, [this] { ShowAssignment(); });
  ConnectAction(bnAssign, &QPushButton::clicked, context_, [this] { bnAssignClick(); });
  connect(bnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TPortsForm::bnAssignClick() {
  const int portNumber = cbPort_->currentIndex() + 1;
  const QString device = edDevice_->text().trimmed();
  context_.WithSettings([&](QSettings& settings) { SavePortDevice(settings, portNumber, device); });
  ShowAssignment();
}

void TPortsForm::ShowAssignment() {
  const int portNumber = cbPort_->currentIndex() + 1;
  const PortAssignment port = PortAssignments(context_.connection.port.Naming(), portNumber).back();
  lbAssignment_->setText(PortAssignmentText(port));
}

}  // namespace vrx
