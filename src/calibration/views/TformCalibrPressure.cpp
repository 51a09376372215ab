#include "calibration/views/TformCalibrPressure.h"

#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "session/RunContext.h"

namespace vrx {

TformCalibrPressure::TformCalibrPressure(RunContext& context, QWidget* parent)
    : CalibrationDialog(context, AdcSamples::Kind::Pressure, QStringLiteral("TformCalibrPressure"),
                        QStringLiteral("Калибровка каналов измерения давления"), parent),
      core_(context.connection, context.messages) {
  plOutType_ = Panel(QStringLiteral("plOutType"));
  MaskEdit1_ = new QLineEdit(this);
  MaskEdit1_->setObjectName(QStringLiteral("MaskEdit1"));
  MaskEdit2_ = new QLineEdit(this);
  MaskEdit2_->setObjectName(QStringLiteral("MaskEdit2"));
  RebuildMasks();
  MaskEdit1_->setText(QStringLiteral("5,000"));
  MaskEdit2_->setText(QStringLiteral("930,00"));
  cbPmax_ = new QComboBox(this);
  cbPmax_->setObjectName(QStringLiteral("cbPmax"));
  cbPmax_->addItems({QStringLiteral("16"), QStringLiteral("10"), QStringLiteral("6")});
  controls_->addWidget(Caption(QStringLiteral("lbOutType"), QStringLiteral("Тип входа:")), 1, 0);
  controls_->addWidget(plOutType_, 1, 1);
  controls_->addWidget(Caption(QStringLiteral("lbUref"), QStringLiteral("Uref, В:")), 0, 2);
  controls_->addWidget(MaskEdit1_, 0, 3);
  controls_->addWidget(Caption(QStringLiteral("lbRL"), QStringLiteral("RL, Ом:")), 1, 2);
  controls_->addWidget(MaskEdit2_, 1, 3);
  controls_->addWidget(Caption(QStringLiteral("lbPmax"), QStringLiteral("Pmax, кгс/см2:")), 2, 2);
  controls_->addWidget(cbPmax_, 2, 3);
  bnCalibr_->setText(QStringLiteral("Калибровка по R"));
  Button1_ = MakeButton(QStringLiteral("Button1"), QStringLiteral("Калибровка по I"));
  bnSetPmax_ = MakeButton(QStringLiteral("bnSetPmax"), QStringLiteral("Установка Pmax"));
  bnGetPmax_ = MakeButton(QStringLiteral("bnGetPmax"), QStringLiteral("Чтение Pmax"));
  controls_->addWidget(Button1_, 0, 4);
  controls_->addWidget(bnSetPmax_, 1, 4);
  controls_->addWidget(bnGetPmax_, 2, 4);

  connect(bnCalibr_, &QPushButton::clicked, this, [this] {
    Command([this] {
      core_.CalibrateByR(SelectedChannel(), cbPmax_->currentIndex(), MaskEdit1_->text(),
                         MaskEdit2_->text());
    });
  });
  connect(Button1_, &QPushButton::clicked, this, [this] {
    Command([this] {
      core_.CalibrateByI(SelectedChannel(), cbPmax_->currentIndex(), Samples().Rows());
    });
  });
  connect(bnSetPmax_, &QPushButton::clicked, this, [this] {
    Command([this] { core_.SetPmax(SelectedChannel(), cbPmax_->currentIndex()); });
  });
  connect(bnGetPmax_, &QPushButton::clicked, this, [this] {
    Command([this] { cbPmax_->setCurrentIndex(core_.GetPmax(SelectedChannel())); });
  });
}

void TformCalibrPressure::Command(const std::function<void()>& action) {
  Guarded([this, &action] { Mirrored(action); });
}

void TformCalibrPressure::RebuildMasks() {
  const QString separator = QLocale().decimalPoint();
  MaskEdit1_->setInputMask(QStringLiteral("9") + separator + QStringLiteral("999;_"));
  MaskEdit2_->setInputMask(QStringLiteral("999") + separator + QStringLiteral("99;_"));
}

void TformCalibrPressure::MirrorPanel() {
  const PressurePanel& panel = core_.Panel();
  plVRXType_->setText(panel.model);
  plOutType_->setText(panel.inputText);
  if (panel.channelCount > 0) {
    SetChannelCount(panel.channelCount);
  }
  for (QWidget* widget : {static_cast<QWidget*>(cbPmax_), static_cast<QWidget*>(bnSetPmax_),
                          static_cast<QWidget*>(bnGetPmax_)}) {
    widget->setEnabled(panel.pmaxCapable);
  }
  if (!panel.pmaxCapable) {
    cbPmax_->setCurrentIndex(0);
  }
}

void TformCalibrPressure::RefreshPanel() {
  const QString uref = MaskEdit1_->text();
  const QString rl = MaskEdit2_->text();
  RebuildMasks();
  MaskEdit1_->setText(uref);
  MaskEdit2_->setText(rl);
  Mirrored([this] { core_.Refresh(); });
}

int TformCalibrPressure::PrepareRun() {
  Mirrored([this] { core_.PrepareCheck(); });
  return core_.Panel().channelCount;
}

int TformCalibrPressure::TakeSample(int channel) {
  return core_.Sample(channel, Samples());
}

void TformCalibrPressure::ShowRunState(bool running) {
  CalibrationDialog::ShowRunState(running);
  Button1_->setEnabled(!running);
}

ProtocolHeader TformCalibrPressure::Header() const {
  return core_.Header(MaskEdit1_->text(), MaskEdit2_->text(), cbPmax_->currentText());
}

}  // namespace vrx
