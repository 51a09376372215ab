#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "init/InitWorkspace.h"

namespace vrx {

// Captions of the labels the tab "Инициализация VRX" draws itself; the other captions are the
// rules' (InitTabControls).
inline constexpr char kDevNoLabel[] = "Номер прибора:";
inline constexpr char kDevAddrLabel[] = "Сетевой адрес:";
inline constexpr char kWinterLabel[] = "Зима:";
inline constexpr char kSummerLabel[] = "Лето:";
inline constexpr char kTcwLabel[] = "t, °C";
inline constexpr char kDstLabel[] = "с месяца";
inline constexpr char kTcwPressureLabel[] = "P, кгс/см2:";
inline constexpr char kTermTypeLabel[] = "W100";
inline constexpr char kCircuitsLabel[] = "Тесты НС и реакция на НС по контурам:";

// A control of the tab as it shows: its form name (the key of the form file), the caption it is
// known by and the text it shows ("да" or "нет" for a check box).
struct TabField {
  QString key;
  QString label;
  QString value;
};

// Every setting the tab shows, in the tab's reading order: model, sensors, scheme, number and
// address, cold water, the options. Hidden controls are left out, and so is "Стирать архив", a
// choice of the next initialization rather than a setting.
std::vector<TabField> ShownFields(const InitWorkspace& workspace);

// A grid as on screen: its visible columns (form names and titles) and the cells' texts.
struct ShownTable {
  QStringList keys;
  QStringList titles;
  QList<QStringList> rows;
};
ShownTable ShownChannels(const InitWorkspace& workspace);
// No columns while the grid is hidden.
ShownTable ShownCircuits(const InitWorkspace& workspace);

// Every field and cell the tab shows, cells as "cdsChannels[ROW].COLUMN" with the label
// "Каналы, № N: TITLE" ("Тесты НС…, ROW-TEXT: TITLE" for the circuits); cells reading "----" are
// left out, they hold no setting.
std::vector<TabField> ShownSettings(const InitWorkspace& workspace);

// The grid cell a setting's key names: "cdsChannels" or "cdsCircuits", the row, the column's
// name in the form file and its place in the grid. None for the key of a control.
struct CellKey {
  QString table;
  int row = 0;
  QString name;
  int column = 0;
};
std::optional<CellKey> CellOfKey(const QString& key);

}  // namespace vrx
