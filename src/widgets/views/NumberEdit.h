#pragma once

#include <QLineEdit>

namespace vrx {

// The edit of a whole number stepped by the arrow keys: typing takes only what
// NumberEditInput keeps, arrow up and down replace the text by the step function's result.
// Both the typed text and a step are reported with textEdited, as user input.
class NumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  using Step = QString (*)(const QString& text, bool up);

  NumberEdit(const QString& name, Step step, QWidget* parent = nullptr);

  // The key-down handling of the arrow keys; the mouse wheel comes here as well. Other keys do
  // nothing.
  void StepKey(int key);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Step step_;
};

}  // namespace vrx
