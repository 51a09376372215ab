#pragma once

#include <QAbstractTableModel>
#include <QDateTime>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace vrx {

// The sample table of a check run. The temperature dialog shows the measured resistance and its
// deviation from the reference R (Rmsr − R, in appended rows and after an edit of R alike); the
// pressure dialog shows the pressure. Every cell is centred.
class AdcSamples : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum class Kind { Temperature, Pressure };
  // True for a deviation cell whose magnitude exceeds the alarm threshold.
  static constexpr int kAlarmRole = Qt::UserRole + 1;

  struct Sample {
    int recNo = 0;
    int channel = 0;
    QDateTime time;
    int adcCode = 0;
    int k = 0;
    double value = 0;   // Rmsr (ohms) or the pressure
    double deltaR = 0;  // temperature only
  };

  explicit AdcSamples(Kind kind, QObject* parent = nullptr);

  // Widths of the grid's columns at the design font; the grid widens a column whose title or
  // texts need more in the font in use.
  std::vector<int> ColumnWidths() const;
  // A text of the column at least as long as any it shows (the most digits, a sign, a time).
  QString WidestText(int column) const;

  void Clear();
  // Appends with the next record number; returns the record count.
  int Append(int channel, const QDateTime& time, int adcCode, int k, double value);
  // A new reference resistance: every deviation is computed again.
  void SetReference(double ohms);
  double Reference() const { return reference_; }
  void SetThreshold(double ohms) { threshold_ = ohms; }
  bool Alarm(const Sample& sample) const;

  const std::vector<Sample>& Rows() const { return rows_; }
  // The titles and the texts of one row as the grid shows them.
  QStringList Titles() const;
  QStringList RowTexts(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QString CellText(const Sample& sample, int column) const;

  const Kind kind_;
  std::vector<Sample> rows_;
  double reference_ = 0;
  double threshold_ = 0;
};

}  // namespace vrx
