#include "service/RtcCorrectionForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <utility>

#include "session/ActionConnect.h"

namespace vrx {

using namespace dialog_parts;

namespace {

constexpr int kSliderWidth = 400;

}  // namespace

TRTCCorrectionForm1::TRTCCorrectionForm1(RunContext& context, EraseArchiveFlag erase,
                                         QWidget* parent)
    : QDialog(parent), context_(context), erase_(std::move(erase)), core_(context.connection) {
  SetUpDialog(this, "RTCCorrectionForm1", QStringLiteral("Автокоррекция RTC"));
  auto* column = new QVBoxLayout(this);
  column->setSizeConstraint(QLayout::SetFixedSize);

  auto* type = new QHBoxLayout();
  type->addWidget(Label(this, "lbDeviceType", QStringLiteral("Тип прибора:")));
  stDeviceType_ = Panel(this, "stDeviceType");
  type->addWidget(stDeviceType_, 1);
  column->addLayout(type);

  // The end labels and the "0" above the slider; the "0" sits over the slider's zero.
  auto* scale = new QWidget(this);
  scale->setFixedSize(kSliderWidth, 18);
  Label2_ = Label(scale, "Label2", core_.Label2);
  Label1_ = Label(scale, "Label1", QStringLiteral("0"));
  Label3_ = Label(scale, "Label3", core_.Label3);
  Label2_->move(0, 0);
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

  auto* buttons = new QHBoxLayout();
  QPushButton* bnRead = Button(this, "bnRead", QStringLiteral("Считать"));
  QPushButton* bnWrite = Button(this, "bnWrite", QStringLiteral("Записать"));
  bnWrite->setDefault(true);
  QPushButton* bnRefresh = Button(this, "bnRefresh", QStringLiteral("Обновить"));
  QPushButton* bnClose = Button(this, "bnClose", QStringLiteral("Закрыть"));
  for (QPushButton* button : {bnRead, bnWrite, bnRefresh, bnClose})
    buttons->addWidget(button);
  column->addLayout(buttons);

  connect(TrackBar1_, &QSlider::valueChanged, this, [this](int position) {
    core_.TrackBar1Change(position);
    Mirror();
  });
  ConnectAction(bnRead, &QPushButton::clicked, context_,
                [this] { Mirrored([this] { core_.bnReadClick(); }, [this] { Mirror(); }); });
  ConnectAction(bnWrite, &QPushButton::clicked, context_,
                [this] { core_.bnWriteClick(WriteOf(context_, erase_)); });
  ConnectAction(bnRefresh, &QPushButton::clicked, context_, [this] { FormShow(); });
  connect(bnClose, &QPushButton::clicked, this, &QDialog::reject);
  Mirror();
}

void TRTCCorrectionForm1::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  TrackBar1_->setFocus();
  context_.RunAction([this] { FormShow(); });
}

void TRTCCorrectionForm1::FormShow() {
  core_.FormShow();
  Mirror();
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
  // The "0" over the slider's zero: 185 or 194 pixels of the 400 from the left.
  Label1_->move(core_.zeroLabelX, 0);
  l1_->setText(core_.l1);
}

}  // namespace vrx
