#include "init/TabFields.h"

#include <array>

namespace vrx {

namespace {

const QString kDashes = QStringLiteral("----");

// The lists that stand without a caption on the tab: their items say what they are, the
// document names them.
const char kHeatUnitLabel[] = "Единица тепла";
const char kFlowUnitLabel[] = "Учёт расхода";
const char kLcTypeLabel[] = "Доп. канал";
const char kLcMeasurementLabel[] = "Доп. канал, учёт";
const char kReactionLabel[] = "Реакция на НС";

QString Text(const char* text) {
  return QString::fromUtf8(text);
}

QString YesNo(bool value) {
  return value ? QStringLiteral("да") : QStringLiteral("нет");
}

void AddList(std::vector<TabField>& fields, const char* key, const ListState& list,
             const QString& label) {
  if (list.visible && list.HasSelection())
    fields.push_back({QString::fromLatin1(key), label, list.Text()});
}

void AddEdit(std::vector<TabField>& fields, const char* key, const EditState& edit,
             const QString& label) {
  if (edit.visible)
    fields.push_back({QString::fromLatin1(key), label, edit.text});
}

void AddCheck(std::vector<TabField>& fields, const char* key, const CheckState& check) {
  if (check.visible)
    fields.push_back({QString::fromLatin1(key), check.caption, YesNo(check.checked)});
}

// The circuit columns under the names of the form file.
constexpr std::array<std::pair<CircuitColumn, const char*>, kCircuitColumnCount> kCircuitKeys = {{
    {CircuitColumn::Err, "Err"},
    {CircuitColumn::Circuit1Test, "Circuit1Test"},
    {CircuitColumn::Circuit1R, "Circuit1R"},
    {CircuitColumn::Circuit2Test, "Circuit2Test"},
    {CircuitColumn::Circuit2R, "Circuit2R"},
}};

// The grid's visible columns, given in grid order with their form names, and every row's cells.
template <typename Table, typename Column>
ShownTable Shown(const Table& source, const GridState& grid,
                 const std::vector<std::pair<Column, QString>>& columns, QString (*title)(Column)) {
  ShownTable table;
  std::vector<Column> shown;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (!grid.ColumnVisible(static_cast<int>(i)))
      continue;
    shown.push_back(columns[i].first);
    table.keys << columns[i].second;
    table.titles << title(columns[i].first);
  }
  for (int row = 0; row < source.RowCount(); ++row) {
    QStringList cells;
    for (Column column : shown)
      cells << source.Text(row, column);
    table.rows << cells;
  }
  return table;
}

}  // namespace

std::vector<TabField> ShownFields(const InitWorkspace& workspace) {
  const InitTabControls& c = workspace.Controls();
  std::vector<TabField> fields;
  AddList(fields, "cbDeviceType", c.cbDeviceType, c.cbDeviceType.caption);
  AddList(fields, "cbTermType", c.cbTermType, Text(kTermTypeLabel));
  AddList(fields, "cbCountingScheme", c.cbCountingScheme, c.cbCountingScheme.caption);
  AddEdit(fields, "DevNoEdit", c.DevNoEdit, Text(kDevNoLabel));
  AddEdit(fields, "DevAddrEdit", c.DevAddrEdit, Text(kDevAddrLabel));
  if (c.cwGroup.visible) {
    const QString group = c.cwGroup.caption + QStringLiteral(", ");
    const auto label = [&group](const char* season, const char* column) {
      return group + Text(season) + u' ' + Text(column);
    };
    AddEdit(fields, "winterTcwEdit", c.winterTcwEdit, label(kWinterLabel, kTcwLabel));
    AddList(fields, "cbWinterDst", c.cbWinterDst, label(kWinterLabel, kDstLabel));
    AddEdit(fields, "summerTcwEdit", c.summerTcwEdit, label(kSummerLabel, kTcwLabel));
    AddList(fields, "cbSummerDst", c.cbSummerDst, label(kSummerLabel, kDstLabel));
    AddEdit(fields, "tcwPressureEdit", c.tcwPressureEdit, group + Text(kTcwPressureLabel));
  }
  AddList(fields, "cbQWDim", c.cbQWDim, Text(kHeatUnitLabel));
  AddList(fields, "cbGGoDim", c.cbGGoDim, Text(kFlowUnitLabel));
  if (c.plThirdChannel.visible)
    AddCheck(fields, "cbThirdChannel", c.cbThirdChannel);
  if (c.plLC.visible) {
    AddList(fields, "cbLCType", c.cbLCType, Text(kLcTypeLabel));
    AddList(fields, "cbLCMeasurement", c.cbLCMeasurement, Text(kLcMeasurementLabel));
  }
  if (c.plN5.visible) {
    AddList(fields, "cbgth", c.cbgth, c.cbgth.caption);
    if (c.plReaction.visible)
      AddList(fields, "cbReaction", c.cbReaction, Text(kReactionLabel));
    AddCheck(fields, "cbUsePresetP", c.cbUsePresetP);
  }
  return fields;
}

ShownTable ShownChannels(const InitWorkspace& workspace) {
  const InitTabControls& c = workspace.Controls();
  if (!c.GroupBox2.visible)
    return {};
  std::vector<std::pair<ChannelField, QString>> columns;
  for (ChannelField field : ChannelsTable::GridColumns())
    columns.emplace_back(field, ChannelsTable::FieldName(field));
  return Shown(workspace.cdsChannels(), c.DBGrid1, columns, ChannelsTable::ColumnTitle);
}

ShownTable ShownCircuits(const InitWorkspace& workspace) {
  const InitTabControls& c = workspace.Controls();
  if (!c.GroupBox2.visible || !c.DBGrid2.visible)
    return {};
  std::vector<std::pair<CircuitColumn, QString>> columns;
  for (const auto& [column, key] : kCircuitKeys)
    columns.emplace_back(column, QString::fromLatin1(key));
  return Shown(workspace.cdsCircuits(), c.DBGrid2, columns, CircuitsTable::ColumnTitle);
}

std::vector<TabField> ShownSettings(const InitWorkspace& workspace) {
  std::vector<TabField> settings = ShownFields(workspace);
  // A table's cells, labelled by the first column (the channel's number, the situation).
  const auto addCells = [&settings](const ShownTable& table, const QString& name,
                                    const QString& rowLabel) {
    for (qsizetype row = 0; row < table.rows.size(); ++row) {
      const QStringList& cells = table.rows[row];
      for (qsizetype column = 1; column < cells.size(); ++column) {
        if (cells[column] == kDashes)
          continue;
        settings.push_back({QStringLiteral("%1[%2].%3").arg(name).arg(row).arg(table.keys[column]),
                            rowLabel.arg(cells[0], table.titles[column]), cells[column]});
      }
    }
  };
  addCells(ShownChannels(workspace), QStringLiteral("cdsChannels"), QStringLiteral("Канал %1: %2"));
  addCells(ShownCircuits(workspace), QStringLiteral("cdsCircuits"), QStringLiteral("%1: %2"));
  return settings;
}

std::optional<CellKey> CellOfKey(const QString& key) {
  const qsizetype open = key.indexOf(u'[');
  const qsizetype close = key.indexOf(QStringLiteral("]."));
  if (open < 0 || close < open)
    return std::nullopt;
  const QString column = key.mid(close + 2);
  CellKey cell{key.left(open), key.mid(open + 1, close - open - 1).toInt(), column, -1};
  if (cell.table == QLatin1String("cdsChannels")) {
    if (const std::optional<ChannelField> field = ChannelsTable::FieldNamed(column))
      cell.column = ChannelsTable::GridColumnOf(*field);
  } else {
    for (const auto& [circuitColumn, name] : kCircuitKeys) {
      if (column == QLatin1String(name))
        cell.column = static_cast<int>(circuitColumn);
    }
  }
  return cell.column < 0 ? std::nullopt : std::optional<CellKey>(cell);
}

}  // namespace vrx
