#include "current/CurrentDisplay.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace vrx {

namespace {

// Row and column labels with the captions they have before a readout.
const std::vector<std::pair<const char*, const char*>> kLabels = {
    {"lbQ", "Q, ГДж:"},         {"lbW", "W, ГДж/ч:"},         {"lbG", "G, т (м3):"},
    {"lbgt", "g, т/ч:"},        {"lbtp", "tp, ч:"},           {"lbP", "P, кгс/см2:"},
    {"lbT", "t, °C:"},          {"lbErrors", "НС:"},          {"lbDu", "Ду:"},
    {"lbTicks", "dV, м3/имп:"}, {"lbPmax", "Pmax, кгс/см2:"}, {"lbChannel1", "Канал 1"},
    {"lbChannel2", "Канал 2"},  {"lbChannel3", "Канал 3"},    {"lbChannel4", "Канал 4"},
    {"lbChannel5", "Канал 5"},
};

const char* const kLeftPanel[] = {"stVRXType", "stScheme", "stNumber", "stAddr",
                                  "stStatus",  "stW100",   "stOutType"};
const char* const kPanelTexts[] = {"stRTC", "stIniRTC", "stTCW", "stPCW"};

// The rows of the value panel: the row label, and the cell prefix and suffix of the channels
// that have a cell.
struct RowSpec {
  const char* label;
  const char* prefix;
  const char* suffix;
  std::vector<int> channels;
};
const std::vector<RowSpec> kRows = {
    {"lbQ", "stQ", "", {1, 3}},
    {"lbW", "stW", "", {1, 3}},
    {"lbG", "stG", "", {1, 2, 3, 4, 5}},
    {"lbgt", "stgt", "", {1, 2, 3, 4, 5}},
    {"lbtp", "sttp", "", {1, 2, 3, 4, 5}},
    {"lbP", "stP", "", {1, 2, 3, 4}},
    {"lbT", "stT", "", {1, 2, 3, 4}},
    {"lbErrors", "stErrors", "", {1, 2, 3, 4, 5}},
    {"lbDu", "stDu", "", {1, 2, 3, 4, 5}},
    {"lbTicks", "stTicks", "", {1, 2, 3, 4, 5}},
    {"lbPmax", "stP", "max", {1, 2, 3, 4}},
};

std::vector<CurrentDisplay::Row> BuildRows() {
  std::vector<CurrentDisplay::Row> rows;
  for (const RowSpec& rowKind : kRows) {
    CurrentDisplay::Row row{QString::fromLatin1(rowKind.label), QStringList(5)};
    for (int channel : rowKind.channels) {
      row.cells[channel - 1] = QString::fromLatin1(rowKind.prefix) + QString::number(channel) +
                               QString::fromLatin1(rowKind.suffix);
    }
    rows.push_back(row);
  }
  return rows;
}

QStringList BuildValueCellNames() {
  QStringList names;
  for (const CurrentDisplay::Row& row : CurrentDisplay::Rows()) {
    for (const QString& cell : row.cells) {
      if (!cell.isEmpty())
        names << cell;
    }
  }
  return names;
}

QStringList BuildNames() {
  QStringList names;
  for (const char* name : kLeftPanel)
    names << QString::fromLatin1(name);
  for (const auto& [name, caption] : kLabels)
    names << QString::fromLatin1(name);
  for (const char* name : kPanelTexts)
    names << QString::fromLatin1(name);
  return names + CurrentDisplay::ValueCellNames();
}

}  // namespace

CurrentDisplay::CurrentDisplay() {
  for (const QString& name : Names())
    cells_.insert(name, Cell{});
  for (const auto& [name, caption] : kLabels)
    cells_[QString::fromLatin1(name)].text = QString::fromUtf8(caption);
}

const QStringList& CurrentDisplay::Names() {
  static const QStringList names = BuildNames();
  return names;
}

const std::vector<CurrentDisplay::Row>& CurrentDisplay::Rows() {
  static const std::vector<Row> rows = BuildRows();
  return rows;
}

const QStringList& CurrentDisplay::ValueCellNames() {
  static const QStringList names = BuildValueCellNames();
  return names;
}

bool CurrentDisplay::OnValuePanel(const QString& name) {
  for (const char* left : kLeftPanel) {
    if (name == QLatin1String(left))
      return false;
  }
  return true;
}

CurrentDisplay::Cell& CurrentDisplay::operator[](const QString& name) {
  const auto it = cells_.find(name);
  if (it == cells_.end())
    throw std::out_of_range("no control " + name.toStdString() + " on the current-values tab");
  return *it;
}

const CurrentDisplay::Cell& CurrentDisplay::operator[](const QString& name) const {
  const auto it = cells_.constFind(name);
  if (it == cells_.constEnd())
    throw std::out_of_range("no control " + name.toStdString() + " on the current-values tab");
  return *it;
}

bool CurrentDisplay::Shown(const QString& name) const {
  if (!(*this)[name].visible)
    return false;
  if (!OnValuePanel(name))
    return true;
  if (!valuePanelVisible)
    return false;
  return coldWaterVisible || (name != QLatin1String("stTCW") && name != QLatin1String("stPCW"));
}

}  // namespace vrx
