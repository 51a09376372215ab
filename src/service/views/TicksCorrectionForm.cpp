#include "service/views/TicksCorrectionForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <utility>

namespace vrx {

using namespace dialog_parts;

TTicksCorrectionForm::TTicksCorrectionForm(RunContext& context, EraseArchiveFlag erase,
                                           QWidget* parent)
    : ServiceDialog(context, std::move(erase), "TicksCorrectionForm",
                    QStringLiteral("Коррекция цены импульса"), parent),
      core_(context.connection) {
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
  column->addLayout(
      ButtonRow({[this] { core_.bnReadClick(); }, [this] { core_.bnWriteClick(Write()); },
                 [this] { core_.bnResetClick(); }}));
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
  for (const char* name : {"bnRead", "bnWrite"})
    findChild<QPushButton*>(QString::fromLatin1(name))->setEnabled(core_.buttonsEnabled);
}

}  // namespace vrx
