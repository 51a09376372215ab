#include "calibration/AdcSamples.h"

#include <QLocale>
#include <cmath>

namespace vrx {

namespace {

const char* const kTemperatureTitles[] = {"№ изм.",      "№ канала",  "Время",       "Код АЦП",
                                          "Попр. коэф.", "Rизм (Ом)", "Погр. R (Ом)"};
const char* const kPressureTitles[] = {"№ изм.",  "№ канала",    "Время",
                                       "Код АЦП", "Попр. коэф.", "Давление"};
constexpr int kDeltaColumn = 6;

}  // namespace

AdcSamples::AdcSamples(Kind kind, QObject* parent) : QAbstractTableModel(parent), kind_(kind) {}

std::vector<int> AdcSamples::ColumnWidths() const {
  if (kind_ == Kind::Temperature) {
    return {60, 60, 60, 60, 70, 70, 70};
  }
  return {60, 60, 60, 60, 70, 70};
}

QString AdcSamples::WidestText(int column) const {
  const Sample widest{
      9999, 4, QDateTime(QDate(2000, 1, 1), QTime(23, 59, 59)), 65535, 65535, -888.8888, -888.8888};
  return CellText(widest, column);
}

void AdcSamples::Clear() {
  beginResetModel();
  rows_.clear();
  endResetModel();
}

int AdcSamples::Append(int channel, const QDateTime& time, int adcCode, int k, double value) {
  const int row = static_cast<int>(rows_.size());
  beginInsertRows({}, row, row);
  rows_.push_back({row + 1, channel, time, adcCode, k, value, value - reference_});
  endInsertRows();
  return row + 1;
}

void AdcSamples::SetReference(double ohms) {
  reference_ = ohms;
  for (Sample& sample : rows_) {
    sample.deltaR = sample.value - reference_;
  }
  if (!rows_.empty() && kind_ == Kind::Temperature) {
    emit dataChanged(index(0, kDeltaColumn), index(rowCount() - 1, kDeltaColumn));
  }
}

bool AdcSamples::Alarm(const Sample& sample) const {
  return kind_ == Kind::Temperature && std::fabs(sample.deltaR) > threshold_;
}

QStringList AdcSamples::Titles() const {
  QStringList titles;
  for (int column = 0; column < columnCount(); ++column) {
    titles << headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
  }
  return titles;
}

QStringList AdcSamples::RowTexts(int row) const {
  QStringList texts;
  for (int column = 0; column < columnCount(); ++column) {
    texts << CellText(rows_.at(static_cast<size_t>(row)), column);
  }
  return texts;
}

int AdcSamples::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int AdcSamples::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) {
    return 0;
  }
  return kind_ == Kind::Temperature ? 7 : 6;
}

QString AdcSamples::CellText(const Sample& sample, int column) const {
  const QLocale locale;
  switch (column) {
    case 0:
      return QString::number(sample.recNo);
    case 1:
      return QString::number(sample.channel);
    case 2:
      return sample.time.toString(QStringLiteral("hh:mm:ss"));
    case 3:
      return QString::number(sample.adcCode);
    case 4:
      return QString::number(sample.k);
    case 5:
      return locale.toString(sample.value, 'f', kind_ == Kind::Temperature ? 4 : 2);
    default:
      return locale.toString(sample.deltaR, 'f', 4);
  }
}

QVariant AdcSamples::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) {
    return {};
  }
  const Sample& sample = rows_[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return CellText(sample, index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case kAlarmRole:
      return index.column() == kDeltaColumn && Alarm(sample);
    default:
      return {};
  }
}

QVariant AdcSamples::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
    return {};
  }
  // Titles are centred and broken at a blank onto a second line where the column is narrow.
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter) | Qt::TextWordWrap);
  }
  if (role != Qt::DisplayRole) {
    return {};
  }
  return QString::fromUtf8(kind_ == Kind::Temperature ? kTemperatureTitles[section]
                                                      : kPressureTitles[section]);
}

}  // namespace vrx
