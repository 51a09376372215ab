#pragma once

#include <QLabel>

namespace vrx {

// A one-line label of the status bar: it takes the room the bar gives it, and a text longer than
// that ends in "…" with the whole text in its tooltip, instead of widening the window or being
// cut off.
class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(const QString& name, QWidget* parent = nullptr);

  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace vrx
