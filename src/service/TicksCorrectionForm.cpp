#include "service/TicksCorrectionForm.h"

#include <QGroupBox>
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

TTicksCorrectionForm::TTicksCorrectionForm(RunContext& context, EraseArchiveFlag erase,
                                           QWidget* parent)
    : QDialog(parent), context_(context), erase_(std::move(erase)), core_(context.connection) {
  SetUpDialog(this, "TicksCorrectionForm", QStringLiteral("Коррекция цены импульса"));
  auto* column = new QVBoxLayout(this);
  column->setSizeConstraint(QLayout::SetFixedSize);

  auto* type = new QHBoxLayout();
  type->addWidget(Label(this, "lbDeviceType", QStringLiteral("Тип прибора:")));
  plDeviceType_ = Panel(this, "plDeviceType");
  type->addWidget(plDeviceType_, 1);
  column->addLayout(type);

  for (int i = 0; i < TicksCorrection::kChannels; ++i) {
    const size_t k = static_cast<size_t>(i);
    groups_[k] = new QGroupBox(QStringLiteral(" Канал %1").arg(i + 1), this);
    groups_[k]->setObjectName(QStringLiteral("tg%1").arg(i + 1));
    auto* row = new QHBoxLayout(groups_[k]);
    sliders_[k] = new QSlider(Qt::Horizontal, groups_[k]);
    sliders_[k]->setObjectName(QStringLiteral("TrackBar%1").arg(i + 1));
    sliders_[k]->setPageStep(1);
    sliders_[k]->setMinimumWidth(300);
    texts_[k] = new QLabel(groups_[k]);
    texts_[k]->setObjectName(QStringLiteral("l%1").arg(i + 1));
    texts_[k]->setMinimumWidth(50);
    row->addWidget(sliders_[k], 1);
    row->addWidget(texts_[k]);
    column->addWidget(groups_[k]);
    connect(sliders_[k], &QSlider::valueChanged, this, [this, i](int position) {
      core_.TrackBarChange(i, position);
      Mirror();
    });
  }

  auto* buttons = new QHBoxLayout();
  bnRead_ = Button(this, "bnRead", QStringLiteral("Считать"));
  bnWrite_ = Button(this, "bnWrite", QStringLiteral("Записать"));
  QPushButton* bnRefresh = Button(this, "bnRefresh", QStringLiteral("Обновить"));
  QPushButton* bnReset = Button(this, "bnReset", QStringLiteral("Сброс"));
  QPushButton* bnClose = Button(this, "bnClose", QStringLiteral("Закрыть"));
  for (QPushButton* button : {bnRead_, bnWrite_, bnRefresh, bnReset, bnClose})
    buttons->addWidget(button);
  column->addLayout(buttons);

  ConnectAction(bnRead_, &QPushButton::clicked, context_,
                [this] { Mirrored([this] { core_.bnReadClick(); }, [this] { Mirror(); }); });
  ConnectAction(bnWrite_, &QPushButton::clicked, context_, [this] {
    Mirrored([this] { core_.bnWriteClick(WriteOf(context_, erase_)); }, [this] { Mirror(); });
  });
  ConnectAction(bnRefresh, &QPushButton::clicked, context_, [this] { FormShow(); });
  connect(bnReset, &QPushButton::clicked, this, [this] {
    core_.bnResetClick();
    Mirror();
  });
  connect(bnClose, &QPushButton::clicked, this, &QDialog::reject);
  Mirror();
}

void TTicksCorrectionForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  context_.RunAction([this] { FormShow(); });
}

void TTicksCorrectionForm::FormShow() {
  core_.FormShow();
  Mirror();
}

void TTicksCorrectionForm::Mirror() {
  plDeviceType_->setText(core_.plDeviceType);
  for (size_t k = 0; k < sliders_.size(); ++k) {
    const QSignalBlocker quiet(sliders_[k]);
    groups_[k]->setVisible(core_.groupVisible[k]);
    sliders_[k]->setRange(-core_.maximum, core_.maximum);
    sliders_[k]->setValue(core_.position[k]);
    texts_[k]->setText(core_.text[k]);
  }
  bnRead_->setEnabled(core_.buttonsEnabled);
  bnWrite_->setEnabled(core_.buttonsEnabled);
}

}  // namespace vrx
