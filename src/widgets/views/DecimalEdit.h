#pragma once

#include <QLineEdit>

namespace vrx {

// The edit of a decimal number: typing takes only what DecimalEditInput keeps. Keys without a
// character (cursor keys, Delete) edit as usual.
class DecimalEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit DecimalEdit(const QString& name, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vrx
