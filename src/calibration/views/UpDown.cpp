#include "calibration/views/UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vrx {

UpDown::UpDown(const QString& name, QLineEdit* buddy, int minimum, int maximum, bool wrap,
               QWidget* parent)
    : QWidget(parent),
      buddy_(buddy),
      minimum_(minimum),
      maximum_(maximum),
      wrap_(wrap),
      position_(minimum) {
  setObjectName(name);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* up = new QToolButton(this);
  up->setArrowType(Qt::UpArrow);
  auto* down = new QToolButton(this);
  down->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up, down}) {
    button->setFixedSize(16, 11);
    layout->addWidget(button);
  }
  connect(up, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
}

int UpDown::Position() const {
  bool ok = false;
  const int typed = buddy_->text().toInt(&ok);
  if (!ok) {
    return position_;
  }
  return std::clamp(typed, minimum_, maximum_);
}

void UpDown::SetPosition(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
  buddy_->setText(QString::number(position_));
  emit changed();
}

void UpDown::SetMaximum(int maximum) {
  maximum_ = std::max(minimum_, maximum);
}

void UpDown::Step(int delta) {
  if (!buddy_->isEnabled()) {
    return;
  }
  int next = Position() + delta;
  if (next > maximum_) {
    next = wrap_ ? minimum_ : maximum_;
  } else if (next < minimum_) {
    next = wrap_ ? maximum_ : minimum_;
  }
  SetPosition(next);
}

}  // namespace vrx
