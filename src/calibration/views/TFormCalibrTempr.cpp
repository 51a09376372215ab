#include "calibration/views/TFormCalibrTempr.h"

#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "model/DecimalText.h"
#include "session/RunContext.h"
#include "widgets/views/DecimalEdit.h"

namespace vrx {

TFormCalibrTempr::TFormCalibrTempr(RunContext& context, QWidget* parent)
    : CalibrationDialog(context, AdcSamples::Kind::Temperature, QStringLiteral("TFormCalibrTempr"),
                        QStringLiteral("Калибровка каналов измерения температуры"), parent),
      core_(context.connection, context.messages) {
  plTspType_ = Panel(QStringLiteral("plTspType"));
  lbDeltaR_ = Caption(QStringLiteral("lbDeltaR"), QString());
  lbJitterR_ = Caption(QStringLiteral("lbJitterR"), QString());
  edR_ = new DecimalEdit(QStringLiteral("edR"), this);
  edR_->setText(QLocale().toString(100.0, 'f', 4));
  edR_->setMaxLength(10);
  edR_->setMaximumWidth(90);
  controls_->addWidget(Caption(QStringLiteral("lbTspType"), QStringLiteral("Тип датчика:")), 1, 0);
  controls_->addWidget(plTspType_, 1, 1);
  controls_->addWidget(Caption(QStringLiteral("lbR"), QStringLiteral("Rм, Ом:")), 2, 0);
  controls_->addWidget(edR_, 2, 1, Qt::AlignLeft);
  controls_->addWidget(lbDeltaR_, 0, 2);
  controls_->addWidget(lbJitterR_, 1, 2);
  bnCalibr_->setText(QStringLiteral("Калибровка АЦП"));

  connect(edR_, &QLineEdit::textChanged, this, &TFormCalibrTempr::OnReferenceEdited);
  connect(edR_, &QLineEdit::editingFinished, this,
          [this] { edR_->setText(QLocale().toString(Reference(), 'f', 4)); });
  connect(bnCalibr_, &QPushButton::clicked, this,
          [this] { Guarded([this] { Mirrored([this] { core_.Calibrate(); }); }); });
}

double TFormCalibrTempr::Reference() const {
  return ParseDecimal(edR_->text()).value_or(0.0);
}

void TFormCalibrTempr::OnReferenceEdited() {
  Samples().SetReference(Reference());
}

void TFormCalibrTempr::MirrorPanel() {
  const TemperaturePanel& panel = core_.Panel();
  plVRXType_->setText(panel.model);
  plTspType_->setText(panel.sensor);
  lbDeltaR_->setText(panel.deltaLabel);
  lbJitterR_->setText(panel.jitterLabel);
  Samples().SetThreshold(panel.threshold);
  if (panel.channelCount > 0) {
    SetChannelCount(panel.channelCount);
  }
}

void TFormCalibrTempr::RefreshPanel() {
  Samples().SetReference(Reference());
  Mirrored([this] { core_.Refresh(); });
}

int TFormCalibrTempr::PrepareRun() {
  RefreshPanel();
  k_ = core_.ReadCoefficient();
  return core_.Panel().channelCount;
}

int TFormCalibrTempr::TakeSample(int channel) {
  {
    const QSignalBlocker quiet(edR_);
    edR_->setText(QLocale().toString(Reference(), 'f', 4));
  }
  Samples().SetReference(Reference());
  return core_.Sample(channel, k_, Samples());
}

ProtocolHeader TFormCalibrTempr::Header() const {
  return core_.Header(Reference(), k_);
}

}  // namespace vrx
