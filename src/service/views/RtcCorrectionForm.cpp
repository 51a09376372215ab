#include "service/views/RtcCorrectionForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <utility>

namespace vrx {

using namespace dialog_parts;

namespace {

constexpr int kSliderWidth = 400;

}  // namespace

TRTCCorrectionForm1::TRTCCorrectionForm1(RunContext& context, EraseArchiveFlag erase,
                                         QWidget* parent)
    : ServiceDialog(context, std::move(erase), "RTCCorrectionForm1",
                    QStringLiteral("Автокоррекция RTC"), parent),
      core_(context.connection) {
  auto* column = new QVBoxLayout(this);
  column->setSizeConstraint(QLayout::SetFixedSize);

  auto* type = new QHBoxLayout();
  type->addWidget(Label(this, "lbDeviceType", QStringLiteral("Тип прибора:")));
  stDeviceType_ = Panel(this, "stDeviceType");
  type->addWidget(stDeviceType_, 1);
  column->addLayout(type);

  // The end labels and the "0" above the slider.
  auto* scale = new QWidget(this);
  scale->setFixedSize(kSliderWidth, 18);
  Label2_ = Label(scale, "Label2", core_.Label2);
  Label1_ = Label(scale, "Label1", QStringLiteral("0"));
  Label3_ = Label(scale, "Label3", core_.Label3);
  Label3_->move(kSliderWidth - 28, 0);
  column->addWidget(scale);

  TrackBar1_ = new QSlider(Qt::Horizontal, this);
  TrackBar1_->setObjectName(QStringLiteral("TrackBar1"));
  TrackBar1_->setPageStep(1);
  TrackBar1_->setTickPosition(QSlider::TicksBelow);
  TrackBar1_->setFixedWidth(kSliderWidth);
  column->addWidget(TrackBar1_);
  l1_ = Label(this, "l1", core_.l1);
  l1_->setAlignment(Qt::AlignCenter);
  column->addWidget(l1_);
  column->addLayout(
      ButtonRow({[this] { core_.bnReadClick(); }, [this] { core_.bnWriteClick(Write()); }, {}}));

  connect(TrackBar1_, &QSlider::valueChanged, this, [this](int position) {
    core_.TrackBar1Change(position);
    Mirror();
  });
  Mirror();
}

void TRTCCorrectionForm1::showEvent(QShowEvent* event) {
  TrackBar1_->setFocus();
  ServiceDialog::showEvent(event);
}

void TRTCCorrectionForm1::Mirror() {
  const QSignalBlocker quiet(TrackBar1_);
  stDeviceType_->setText(core_.stDeviceType);
  Label2_->setText(core_.Label2);
  Label2_->adjustSize();
  Label3_->setText(core_.Label3);
  Label3_->adjustSize();
  TrackBar1_->setRange(core_.minimum, core_.maximum);
  TrackBar1_->setValue(core_.position);
  // The "0" at 185 or 194 pixels from the left, as the kind of instrument places it.
  Label1_->move(core_.zeroLabelX, 0);
  l1_->setText(core_.l1);
}

}  // namespace vrx
