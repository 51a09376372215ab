#include "init/views/InitTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <initializer_list>

#include "init/TabFields.h"
#include "init/views/ChannelsModel.h"
#include "init/views/CircuitsModel.h"
#include "init/views/DbGrid.h"
#include "widgets/NumberEditSteps.h"
#include "widgets/views/DecimalEdit.h"
#include "widgets/views/NumberEdit.h"

namespace vrx {

namespace {

// Widths of the number edits, in digits.
constexpr int kDeviceNumberDigits = 7;
constexpr int kAddressDigits = 4;
constexpr int kTemperatureDigits = 5;
// The channel grid is as high as the table's rows, at least one; the circuit grid shows all nine
// rows when there is room.
constexpr int kCircuitRows = 9;

QComboBox* DropDownList(const char* name, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(false);
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return box;
}

QLabel* Label(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

QWidget* Panel(const char* name, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  return panel;
}

void FixWidthInDigits(QLineEdit* edit, int digits) {
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) +
                      12);
}

QLineEdit* DecimalNumberEdit(const char* name, int digits, QWidget* parent) {
  auto* edit = new DecimalEdit(QString::fromLatin1(name), parent);
  FixWidthInDigits(edit, digits);
  return edit;
}

}  // namespace

InitTab::InitTab(InitWorkspace& workspace, RunContext& context, QWidget* parent)
    : QWidget(parent), workspace_(workspace), context_(context) {
  setObjectName(QStringLiteral("InitTab"));
  BuildControls();
  ConnectControls();
  Refresh();
}

// --- Layout ----------------------------------------------------------------------------------

void InitTab::BuildControls() {
  auto* top = new QHBoxLayout;
  top->setSpacing(4);
  top->addWidget(BuildSelection(), 0, Qt::AlignTop);
  top->addWidget(BuildColdWater(), 0, Qt::AlignTop);
  // The options and, below them, the initialization: the models with the circuits grid have the
  // fewest options, so the grids keep their room.
  auto* right = new QVBoxLayout;
  right->setSpacing(3);
  right->addWidget(BuildOptions());
  CheckBox1_ = new QCheckBox(this);
  CheckBox1_->setObjectName(QStringLiteral("CheckBox1"));
  right->addWidget(CheckBox1_);
  bbInitialize_ = new QPushButton(this);
  bbInitialize_->setObjectName(QStringLiteral("bbInitialize"));
  right->addWidget(bbInitialize_, 0, Qt::AlignLeft);
  // One above the other: side by side they are wider than the options at the window's least width.
  bnSaveTemplate_ = new QPushButton(QStringLiteral("Сохранить шаблон…"), this);
  bnSaveTemplate_->setObjectName(QStringLiteral("bnSaveTemplate"));
  right->addWidget(bnSaveTemplate_, 0, Qt::AlignLeft);
  bnLoadTemplate_ = new QPushButton(QStringLiteral("Загрузить шаблон…"), this);
  bnLoadTemplate_->setObjectName(QStringLiteral("bnLoadTemplate"));
  right->addWidget(bnLoadTemplate_, 0, Qt::AlignLeft);
  bnCheckTemplate_ = new QPushButton(QStringLiteral("Сверить с шаблоном…"), this);
  bnCheckTemplate_->setObjectName(QStringLiteral("bnCheckTemplate"));
  right->addWidget(bnCheckTemplate_, 0, Qt::AlignLeft);
  right->addStretch(1);
  top->addLayout(right);
  top->addStretch(1);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(2);
  column->addLayout(top);
  // The VRX-L5 has the most options and no circuits grid: its own go on a line of their own.
  column->addWidget(BuildL5Options());
  column->addWidget(BuildChannels(), 1);
}

QWidget* InitTab::BuildSelection() {
  auto* panel = Panel("plSelection", this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);

  lbDeviceType_ = Label("lbDeviceType", {}, panel);
  cbDeviceType_ = DropDownList("cbDeviceType", panel);
  lbTermType_ = Label("lbTermType", QString::fromUtf8(kTermTypeLabel), panel);
  cbTermType_ = DropDownList("cbTermType", panel);
  wLab_ = Label("wLab", {}, panel);
  lbCountingScheme_ = Label("lbCountingScheme", {}, panel);
  cbCountingScheme_ = DropDownList("cbCountingScheme", panel);
  DevNoEdit_ = new NumberEdit(QStringLiteral("DevNoEdit"), DeviceNumberStep, panel);
  FixWidthInDigits(DevNoEdit_, kDeviceNumberDigits);
  DevAddrEdit_ = new NumberEdit(QStringLiteral("DevAddrEdit"), NetworkAddressStep, panel);
  FixWidthInDigits(DevAddrEdit_, kAddressDigits);
  bbReadIniParams_ = new QPushButton(QStringLiteral("Считать"), panel);
  bbReadIniParams_->setObjectName(QStringLiteral("bbReadIniParams"));

  // The scheme's long caption takes its row alone, so the other captions stay narrow.
  const auto row = [](std::initializer_list<QWidget*> widgets) {
    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(6);
    for (QWidget* widget : widgets)
      line->addWidget(widget);
    line->addStretch(1);
    return line;
  };
  grid->addWidget(lbDeviceType_, 0, 0);
  grid->addWidget(cbDeviceType_, 0, 1, Qt::AlignLeft);
  grid->addWidget(lbTermType_, 1, 0);
  grid->addLayout(row({cbTermType_, wLab_}), 1, 1);
  grid->addLayout(row({lbCountingScheme_, cbCountingScheme_}), 2, 0, 1, 2);
  grid->addWidget(Label("lbDevNo", QString::fromUtf8(kDevNoLabel), panel), 3, 0);
  grid->addWidget(DevNoEdit_, 3, 1, Qt::AlignLeft);
  grid->addWidget(Label("lbDevAddr", QString::fromUtf8(kDevAddrLabel), panel), 4, 0);
  grid->addLayout(row({DevAddrEdit_, bbReadIniParams_}), 4, 1);
  // The settings protocol of what "Считать" read: the report module lays it out and asks for
  // the file. Below the instrument's number, where the panel has room to spare.
  bnPrint_ = new QPushButton(QStringLiteral("Печать…"), panel);
  bnPrint_->setObjectName(QStringLiteral("bnPrintSettings"));
  bnSavePdf_ = new QPushButton(QStringLiteral("Сохранить PDF…"), panel);
  bnSavePdf_->setObjectName(QStringLiteral("bnSaveSettingsPdf"));
  grid->addLayout(row({bnPrint_, bnSavePdf_}), 5, 0, 1, 2);
  return panel;
}

QWidget* InitTab::BuildColdWater() {
  cwGroup_ = new QGroupBox(this);
  cwGroup_->setObjectName(QStringLiteral("cwGroup"));
  // A model without cold water leaves the box's room empty, so the column of buttons beside it
  // stays where it is.
  QSizePolicy keepRoom = cwGroup_->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  cwGroup_->setSizePolicy(keepRoom);
  auto* grid = new QGridLayout(cwGroup_);
  grid->setContentsMargins(6, 2, 6, 4);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(3);
  winterTcwEdit_ = DecimalNumberEdit("winterTcwEdit", kTemperatureDigits, cwGroup_);
  summerTcwEdit_ = DecimalNumberEdit("summerTcwEdit", kTemperatureDigits, cwGroup_);
  tcwPressureEdit_ = DecimalNumberEdit("tcwPressureEdit", kTemperatureDigits, cwGroup_);
  cbWinterDst_ = DropDownList("cbWinterDst", cwGroup_);
  cbSummerDst_ = DropDownList("cbSummerDst", cwGroup_);

  grid->addWidget(Label("lbTcw", QString::fromUtf8(kTcwLabel), cwGroup_), 0, 1);
  grid->addWidget(Label("lbDst", QString::fromUtf8(kDstLabel), cwGroup_), 0, 2);
  grid->addWidget(Label("lbWinter", QString::fromUtf8(kWinterLabel), cwGroup_), 1, 0);
  grid->addWidget(winterTcwEdit_, 1, 1);
  grid->addWidget(cbWinterDst_, 1, 2);
  grid->addWidget(Label("lbSummer", QString::fromUtf8(kSummerLabel), cwGroup_), 2, 0);
  grid->addWidget(summerTcwEdit_, 2, 1);
  grid->addWidget(cbSummerDst_, 2, 2);
  grid->addWidget(Label("lbTcwPressure", QString::fromUtf8(kTcwPressureLabel), cwGroup_), 3, 0, 1,
                  2);
  grid->addWidget(tcwPressureEdit_, 3, 2, Qt::AlignLeft);
  // Tab goes along the rows: winter, summer, then the pressure.
  QWidget::setTabOrder(winterTcwEdit_, cbWinterDst_);
  QWidget::setTabOrder(cbWinterDst_, summerTcwEdit_);
  QWidget::setTabOrder(summerTcwEdit_, cbSummerDst_);
  QWidget::setTabOrder(cbSummerDst_, tcwPressureEdit_);
  return cwGroup_;
}

QWidget* InitTab::BuildOptions() {
  auto* panel = Panel("plOptions", this);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);

  cbQWDim_ = DropDownList("cbQWDim", panel);
  cbGGoDim_ = DropDownList("cbGGoDim", panel);
  column->addWidget(cbQWDim_, 0, Qt::AlignLeft);
  column->addWidget(cbGGoDim_, 0, Qt::AlignLeft);

  plThirdChannel_ = Panel("plThirdChannel", panel);
  auto* third = new QHBoxLayout(plThirdChannel_);
  third->setContentsMargins(0, 0, 0, 0);
  cbThirdChannel_ = new QCheckBox(plThirdChannel_);
  cbThirdChannel_->setObjectName(QStringLiteral("cbThirdChannel"));
  third->addWidget(cbThirdChannel_);
  column->addWidget(plThirdChannel_);

  plLC_ = Panel("plLC", panel);
  auto* lc = new QVBoxLayout(plLC_);
  lc->setContentsMargins(0, 0, 0, 0);
  lc->setSpacing(3);
  cbLCType_ = DropDownList("cbLCType", plLC_);
  cbLCMeasurement_ = DropDownList("cbLCMeasurement", plLC_);
  lc->addWidget(cbLCType_, 0, Qt::AlignLeft);
  lc->addWidget(cbLCMeasurement_, 0, Qt::AlignLeft);
  column->addWidget(plLC_);

  return panel;
}

QWidget* InitTab::BuildL5Options() {
  plN5_ = Panel("plN5", this);
  auto* grid = new QGridLayout(plN5_);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  lbgth_ = Label("lbgth", {}, plN5_);
  cbgth_ = DropDownList("cbgth", plN5_);
  plReaction_ = Panel("plReaction", plN5_);
  auto* reaction = new QHBoxLayout(plReaction_);
  reaction->setContentsMargins(0, 0, 0, 0);
  cbReaction_ = DropDownList("cbReaction", plReaction_);
  reaction->addWidget(cbReaction_);
  cbUsePresetP_ = new QCheckBox(plN5_);
  cbUsePresetP_->setObjectName(QStringLiteral("cbUsePresetP"));
  grid->addWidget(lbgth_, 0, 0);
  grid->addWidget(cbgth_, 0, 1);
  grid->addWidget(plReaction_, 0, 2);
  grid->setColumnStretch(3, 1);
  grid->addWidget(cbUsePresetP_, 1, 0, 1, 4);
  return plN5_;
}

QWidget* InitTab::BuildChannels() {
  GroupBox2_ = new QGroupBox(this);
  GroupBox2_->setObjectName(QStringLiteral("GroupBox2"));
  auto* column = new QVBoxLayout(GroupBox2_);
  column->setContentsMargins(4, 2, 4, 4);
  column->setSpacing(4);

  const auto run = [this](const std::function<void()>& handler) { RunHandler(handler); };
  DBGrid1_ = new DbGrid(QStringLiteral("DBGrid1"), GroupBox2_);
  cdsChannels_ = new ChannelsModel(workspace_.cdsChannels(), run, this);
  DBGrid1_->setModel(cdsChannels_);
  DBGrid1_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  DBGrid1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  DBGrid2_ = new DbGrid(QStringLiteral("DBGrid2"), GroupBox2_);
  cdsCircuits_ = new CircuitsModel(workspace_, run, this);
  DBGrid2_->setModel(cdsCircuits_);
  DBGrid2_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
  DBGrid2_->SetShownRows(kCircuitRows);

  lbCircuits_ = Label("lbCircuits", QString::fromUtf8(kCircuitsLabel), GroupBox2_);
  column->addWidget(DBGrid1_);
  column->addWidget(lbCircuits_);
  column->addWidget(DBGrid2_, 1);
  column->addStretch(0);
  return GroupBox2_;
}

// --- User input ------------------------------------------------------------------------------
// The handlers are called on a captured workspace reference: called through the captured tab,
// the member pointer call trips the sanitizer's type check (a false positive of the compiler).

void InitTab::BindList(QComboBox* box, ListState InitTabControls::*list,
                       void (InitWorkspace::*handler)()) {
  connect(box, &QComboBox::activated, this, [this, list, handler](int index) {
    if (refreshing_)
      return;
    (workspace_.Controls().*list).index = index;
    if (handler != nullptr)
      RunHandler([&workspace = workspace_, handler] { (workspace.*handler)(); });
  });
}

void InitTab::BindCheck(QCheckBox* box, CheckState InitTabControls::*check,
                        void (InitWorkspace::*handler)()) {
  connect(box, &QCheckBox::clicked, this, [this, check, handler](bool checked) {
    if (refreshing_)
      return;
    (workspace_.Controls().*check).checked = checked;
    if (handler != nullptr)
      RunHandler([&workspace = workspace_, handler] { (workspace.*handler)(); });
  });
}

void InitTab::BindEdit(QLineEdit* edit, EditState InitTabControls::*state) {
  connect(edit, &QLineEdit::textEdited, this, [this, state](const QString& text) {
    if (!refreshing_)
      (workspace_.Controls().*state).text = text;
  });
}

void InitTab::ConnectControls() {
  using C = InitTabControls;
  using W = InitWorkspace;
  BindList(cbDeviceType_, &C::cbDeviceType, &W::cbDeviceTypeChange);
  BindList(cbCountingScheme_, &C::cbCountingScheme, &W::CountingSchemeChanged);
  BindList(cbTermType_, &C::cbTermType);
  BindList(cbWinterDst_, &C::cbWinterDst);
  BindList(cbSummerDst_, &C::cbSummerDst);
  BindList(cbQWDim_, &C::cbQWDim);
  BindList(cbGGoDim_, &C::cbGGoDim, &W::cbGGoDimChange);
  BindList(cbLCType_, &C::cbLCType, &W::cbLCTypeChange);
  BindList(cbLCMeasurement_, &C::cbLCMeasurement, &W::cbLCMeasurementChange);
  BindList(cbgth_, &C::cbgth);
  BindList(cbReaction_, &C::cbReaction);
  BindCheck(cbThirdChannel_, &C::cbThirdChannel, &W::cbThirdChannelClick);
  BindCheck(cbUsePresetP_, &C::cbUsePresetP);
  BindCheck(CheckBox1_, &C::CheckBox1);
  BindEdit(DevNoEdit_, &C::DevNoEdit);
  BindEdit(DevAddrEdit_, &C::DevAddrEdit);
  BindEdit(winterTcwEdit_, &C::winterTcwEdit);
  BindEdit(summerTcwEdit_, &C::summerTcwEdit);
  BindEdit(tcwPressureEdit_, &C::tcwPressureEdit);

  connect(
      DBGrid1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
      [this](const QModelIndex& current) {
        if (refreshing_ || !current.isValid() ||
            current.row() == workspace_.cdsChannels().CurrentRow()) {
          return;
        }
        RunHandler([this, row = current.row()] { workspace_.cdsChannels().SetCurrentRow(row); });
      });
  connect(bbReadIniParams_, &QPushButton::clicked, this, [this] { ReadIniParams(); });
  connect(bbInitialize_, &QPushButton::clicked, this, [this] { InitializeDevice(); });
  connect(bnSaveTemplate_, &QPushButton::clicked, this, [this] { SaveTemplate(); });
  connect(bnLoadTemplate_, &QPushButton::clicked, this, [this] { LoadTemplate(); });
  connect(bnCheckTemplate_, &QPushButton::clicked, this, [this] { CheckTemplate(); });
  connect(bnPrint_, &QPushButton::clicked, this, &InitTab::printRequested);
  connect(bnSavePdf_, &QPushButton::clicked, this, &InitTab::savePdfRequested);
  connect(&workspace_, &InitWorkspace::changed, this, [this] { Refresh(); });
}

}  // namespace vrx
