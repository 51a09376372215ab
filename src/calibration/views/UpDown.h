#pragma once

#include <QWidget>

class QLineEdit;

namespace vrx {

// The pair of arrow buttons beside an edit: steps a position between a minimum and a maximum
// and writes it into the edit. With wrapping a step past either end comes round to the other.
class UpDown : public QWidget {
  Q_OBJECT
 public:
  UpDown(const QString& name, QLineEdit* buddy, int minimum, int maximum, bool wrap,
         QWidget* parent = nullptr);

  // The position as the edit's text gives it, kept within the range.
  int Position() const;
  void SetPosition(int position);
  void SetMaximum(int maximum);
  int Maximum() const { return maximum_; }
  void Step(int delta);

 signals:
  void changed();

 private:
  QLineEdit* buddy_;
  int minimum_;
  int maximum_;
  bool wrap_;
  int position_;
};

}  // namespace vrx
