#include "iface/views/InterfaceTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "widgets/views/DigitsValidator.h"

namespace vrx {

namespace {

const QColor kGreen(0x00, 0x80, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);

QLineEdit* Edit(const QString& name, int maxLength, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  if (maxLength > 0)
    edit->setMaxLength(maxLength);
  return edit;
}

QPushButton* Button(const QString& name, const QString& caption, const QColor& colour,
                    QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  QPalette palette = button->palette();
  palette.setColor(QPalette::ButtonText, colour);
  button->setPalette(palette);
  return button;
}

}  // namespace

InterfaceTab::InterfaceTab(InterfaceSettings& settings, RunContext& context,
                           std::function<void()> portHandler, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      context_(context),
      portHandler_(std::move(portHandler)) {
  setObjectName(QStringLiteral("InterfaceTab"));
  BuildControls();
  ConnectControls();
  Show();
}

void InterfaceTab::BuildControls() {
  auto* group = new QGroupBox(QStringLiteral(" Инициализация интерфейса "), this);
  group->setObjectName(QStringLiteral("GroupBox1"));
  auto* grid = new QGridLayout(group);
  int row = 0;
  auto addRow = [&](const QString& caption, QWidget* control, QWidget* after = nullptr) {
    auto* label = new QLabel(caption, group);
    label->setBuddy(control);
    grid->addWidget(label, row, 0);
    grid->addWidget(control, row, 1);
    if (after != nullptr)
      grid->addWidget(after, row, 2);
    ++row;
  };

  NetNumEdit_ = Edit(QStringLiteral("NetNumEdit"), InterfaceForm::kNetNumLength, group);
  SerNumEdit_ = Edit(QStringLiteral("SerNumEdit"), InterfaceForm::kSerNumLength, group);
  VRXTimeOutEdit_ = Edit(QStringLiteral("VRXTimeOutEdit"), 0, group);
  for (QLineEdit* number : {NetNumEdit_, SerNumEdit_, VRXTimeOutEdit_})
    number->setValidator(new DigitsValidator(number));
  cbAutoSleep_ = new QCheckBox(QStringLiteral("Только текущие"), group);
  cbAutoSleep_->setObjectName(QStringLiteral("cbAutoSleep"));
  ObjIDEdit_ = Edit(QStringLiteral("ObjIDEdit"), InterfaceForm::kObjIdLength, group);
  cbModemEnable_ = new QCheckBox(QStringLiteral("Использовать модем"), group);
  cbModemEnable_->setObjectName(QStringLiteral("cbModemEnable"));
  ModemStrEdit_ = Edit(QStringLiteral("ModemStrEdit"), InterfaceForm::kModemStrLength, group);
  cbRSSpeed_ = new QComboBox(group);
  cbRSSpeed_->setObjectName(QStringLiteral("cbRSSpeed"));
  cbRSSpeed_->addItems(InterfaceForm::SpeedItems());
  VersionEdit_ = Edit(QStringLiteral("VersionEdit"), 0, group);
  IspEdit_ = Edit(QStringLiteral("IspEdit"), 0, group);
  VersionEdit_->setEnabled(false);
  IspEdit_->setEnabled(false);

  auto* msLabel = new QLabel(QStringLiteral("мс"), group);
  addRow(QStringLiteral("Сетевой адрес:"), NetNumEdit_);
  addRow(QStringLiteral("Заводской номер:"), SerNumEdit_);
  addRow(QStringLiteral("Время ожидания ответа:"), VRXTimeOutEdit_, msLabel);
  grid->addWidget(cbAutoSleep_, row++, 1);
  addRow(QStringLiteral("Описание объекта:"), ObjIDEdit_);
  grid->addWidget(cbModemEnable_, row++, 1);
  addRow(QStringLiteral("Строка инициализации модема:"), ModemStrEdit_);
  addRow(QStringLiteral("Скорость обмена для интерфейса:"), cbRSSpeed_);
  addRow(QStringLiteral("Версия ПО интерфейса:"), VersionEdit_);
  addRow(QStringLiteral("Исполнение интерфейса:"), IspEdit_);

  Button5_ = Button(QStringLiteral("Button5"), QStringLiteral("Прочитать"), kGreen, group);
  Button4_ = Button(QStringLiteral("Button4"), QStringLiteral("Записать"), kRed, group);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button5_);
  buttons->addWidget(Button4_);
  buttons->addStretch(1);
  grid->addLayout(buttons, row, 0, 1, 3);
  grid->setColumnStretch(3, 1);

  auto* column = new QVBoxLayout(this);
  column->addWidget(group);
  column->addStretch(1);
}

void InterfaceTab::ConnectControls() {
  InterfaceForm& f = settings_.Form();
  const std::pair<QLineEdit*, QString*> edits[] = {{NetNumEdit_, &f.NetNumEdit},
                                                   {SerNumEdit_, &f.SerNumEdit},
                                                   {VRXTimeOutEdit_, &f.VRXTimeOutEdit},
                                                   {ObjIDEdit_, &f.ObjIDEdit},
                                                   {ModemStrEdit_, &f.ModemStrEdit}};
  for (const auto& [edit, text] : edits)
    connect(edit, &QLineEdit::textEdited, this, [text](const QString& typed) { *text = typed; });
  connect(cbAutoSleep_, &QCheckBox::toggled, this, [&f](bool on) { f.cbAutoSleep = on; });
  connect(cbModemEnable_, &QCheckBox::toggled, this, [&f](bool on) { f.cbModemEnable = on; });
  connect(cbRSSpeed_, &QComboBox::activated, this, [this](int index) {
    RunAndShow([this, index] {
      settings_.SetSpeedIndex(index);
      portHandler_();
    });
  });
  connect(Button5_, &QPushButton::clicked, this,
          [this] { RunAndShow([this] { settings_.Read(); }); });
  connect(Button4_, &QPushButton::clicked, this,
          [this] { RunAndShow([this] { settings_.Write(); }); });
}

void InterfaceTab::RunAndShow(const std::function<void()>& action) {
  context_.RunAction(action);
  Show();
}

void InterfaceTab::Show() {
  const InterfaceForm& f = settings_.Form();
  NetNumEdit_->setText(f.NetNumEdit);
  SerNumEdit_->setText(f.SerNumEdit);
  VRXTimeOutEdit_->setText(f.VRXTimeOutEdit);
  cbAutoSleep_->setChecked(f.cbAutoSleep);
  ObjIDEdit_->setText(f.ObjIDEdit);
  cbModemEnable_->setChecked(f.cbModemEnable);
  ModemStrEdit_->setText(f.ModemStrEdit);
  cbRSSpeed_->setCurrentIndex(f.cbRSSpeed);
  VersionEdit_->setText(f.VersionEdit);
  IspEdit_->setText(f.IspEdit);
}

}  // namespace vrx
