#include "init/WorkspaceForm.h"

#include <QJsonArray>
#include <QJsonValue>
#include <array>

#include "model/DecimalText.h"

namespace vrx {

namespace {

const QString kDashes = QStringLiteral("----");

struct CircuitColumnName {
  CircuitColumn column;
  const char* name;
};

constexpr std::array<CircuitColumnName, kCircuitColumnCount> kCircuitColumns = {{
    {CircuitColumn::Err, "Err"},
    {CircuitColumn::Circuit1Test, "Circuit1Test"},
    {CircuitColumn::Circuit1R, "Circuit1R"},
    {CircuitColumn::Circuit2Test, "Circuit2Test"},
    {CircuitColumn::Circuit2R, "Circuit2R"},
}};

QJsonValue ListValue(const ListState& list) {
  return list.HasSelection() ? QJsonValue(list.Text()) : QJsonValue(QJsonValue::Null);
}

// A form being applied and the keys of it that the tab could not use.
struct Application {
  const QJsonObject& form;
  QStringList refused;
};

// Applies the form's value of a list; true when the form has a value the list takes. Null
// selects nothing, where the list may show nothing.
bool ApplyList(Application& a, const char* key, ListState& list, bool mayBeEmpty = true) {
  const QString name = QString::fromLatin1(key);
  if (!a.form.contains(name))
    return false;
  const QJsonValue value = a.form.value(name);
  if (value.isNull() && mayBeEmpty) {
    list.index = -1;
    return true;
  }
  if (!value.isString() || !list.Select(value.toString())) {
    a.refused << name;
    return false;
  }
  return true;
}

bool ApplyCheck(Application& a, const char* key, CheckState& check) {
  const QString name = QString::fromLatin1(key);
  if (!a.form.contains(name))
    return false;
  const QJsonValue value = a.form.value(name);
  if (!value.isBool()) {
    a.refused << name;
    return false;
  }
  check.checked = value.toBool();
  return true;
}

void ApplyEdit(Application& a, const char* key, EditState& edit) {
  const QString name = QString::fromLatin1(key);
  if (!a.form.contains(name))
    return;
  const QJsonValue value = a.form.value(name);
  if (!value.isString())
    a.refused << name;
  else
    edit.text = value.toString();
}

// The rows of a table in the form, each an object; an absent key gives none.
std::vector<std::pair<QString, QJsonObject>> RowsOf(Application& a, const char* key) {
  const QString name = QString::fromLatin1(key);
  if (!a.form.contains(name))
    return {};
  const QJsonValue value = a.form.value(name);
  if (!value.isArray()) {
    a.refused << name;
    return {};
  }
  std::vector<std::pair<QString, QJsonObject>> rows;
  const QJsonArray array = value.toArray();
  for (qsizetype i = 0; i < array.size(); ++i) {
    const QString where = QStringLiteral("%1[%2]").arg(name).arg(i);
    if (array.at(i).isObject())
      rows.emplace_back(where, array.at(i).toObject());
    else
      a.refused << where;
  }
  return rows;
}

// The cells of a row object that are no column of the table.
void RefuseUnknownCells(Application& a, const QString& where, const QJsonObject& cells,
                        const QStringList& columns) {
  for (auto it = cells.begin(); it != cells.end(); ++it) {
    if (!columns.contains(it.key()))
      a.refused << where + QLatin1Char('.') + it.key();
  }
}

// The text of a cell in a row object; nothing when the row lacks it or it reads "----".
std::optional<QString> CellText(Application& a, const QString& where, const QJsonObject& row,
                                const QString& name) {
  if (!row.contains(name))
    return std::nullopt;
  const QJsonValue value = row.value(name);
  if (!value.isString()) {
    a.refused << where + QLatin1Char('.') + name;
    return std::nullopt;
  }
  if (value.toString() == kDashes)
    return std::nullopt;
  return value.toString();
}

// Whether an editable cell takes the text: an item of its drop-down list, or a number where it
// has none.
bool CellTakes(const QStringList& pickList, const QString& text) {
  return pickList.isEmpty() ? ParseDecimal(text).has_value() : pickList.contains(text);
}

QStringList ChannelColumns() {
  QStringList names;
  for (ChannelField field : ChannelsTable::GridColumns())
    names << ChannelsTable::FieldName(field);
  return names;
}

void ApplyChannels(Application& a, InitWorkspace& workspace) {
  ChannelsTable& channels = workspace.cdsChannels();
  const QString channelNo = ChannelsTable::FieldName(ChannelField::ChannelNo);
  for (const auto& [where, cells] : RowsOf(a, "cdsChannels")) {
    RefuseUnknownCells(a, where, cells, ChannelColumns());
    const std::optional<QString> number = CellText(a, where, cells, channelNo);
    const int row = number ? channels.FindChannel(number->toInt()) : -1;
    if (row < 0) {
      // A channel the model or the scheme does not have.
      a.refused << where;
      continue;
    }
    for (ChannelField field : ChannelsTable::GridColumns()) {
      const QString name = ChannelsTable::FieldName(field);
      const std::optional<QString> text = CellText(a, where, cells, name);
      // A cell that does not apply here may apply on another firmware of the model: skipped.
      if (!text || !channels.Editable(row, field) || channels.Text(row, field) == *text)
        continue;
      // The drop-down lists of pulse value and threshold are those of the current row.
      channels.SetCurrentRow(row);
      if (!CellTakes(channels.PickList(field), *text)) {
        a.refused << where + QLatin1Char('.') + name;
        continue;
      }
      channels.SetText(row, field, *text);
    }
  }
  channels.First();
}

void ApplyCircuits(Application& a, InitWorkspace& workspace) {
  const CircuitsTable& circuits = workspace.cdsCircuits();
  QStringList columns;
  for (const CircuitColumnName& column : kCircuitColumns)
    columns << QString::fromLatin1(column.name);
  for (const auto& [where, cells] : RowsOf(a, "cdsCircuits")) {
    RefuseUnknownCells(a, where, cells, columns);
    const std::optional<QString> err = CellText(a, where, cells, QStringLiteral("Err"));
    int row = -1;
    for (int i = 0; err && i < circuits.RowCount(); ++i) {
      if (circuits.Row(i).Err == *err)
        row = i;
    }
    if (row < 0) {
      // A situation the model does not have.
      a.refused << where;
      continue;
    }
    for (const CircuitColumnName& column : kCircuitColumns) {
      const QString name = QString::fromLatin1(column.name);
      const std::optional<QString> text = CellText(a, where, cells, name);
      const QStringList pickList = circuits.PickList(row, column.column);
      if (!text || pickList.isEmpty() || circuits.Text(row, column.column) == *text)
        continue;
      if (!pickList.contains(*text))
        a.refused << where + QLatin1Char('.') + name;
      else
        workspace.SetCircuitText(row, column.column, *text);
    }
  }
}

}  // namespace

QJsonObject ToForm(const InitWorkspace& workspace) {
  const InitTabControls& c = workspace.Controls();
  QJsonObject form;
  form.insert(QStringLiteral("cbDeviceType"), ListValue(c.cbDeviceType));
  form.insert(QStringLiteral("cbCountingScheme"), ListValue(c.cbCountingScheme));
  form.insert(QStringLiteral("cbSummerDst"), ListValue(c.cbSummerDst));
  form.insert(QStringLiteral("cbWinterDst"), ListValue(c.cbWinterDst));
  form.insert(QStringLiteral("cbQWDim"), ListValue(c.cbQWDim));
  form.insert(QStringLiteral("cbGGoDim"), ListValue(c.cbGGoDim));
  form.insert(QStringLiteral("cbTermType"), ListValue(c.cbTermType));
  form.insert(QStringLiteral("cbLCType"), ListValue(c.cbLCType));
  form.insert(QStringLiteral("cbLCMeasurement"), ListValue(c.cbLCMeasurement));
  form.insert(QStringLiteral("cbgth"), ListValue(c.cbgth));
  form.insert(QStringLiteral("cbReaction"), ListValue(c.cbReaction));
  form.insert(QStringLiteral("cbThirdChannel"), c.cbThirdChannel.checked);
  form.insert(QStringLiteral("cbUsePresetP"), c.cbUsePresetP.checked);
  form.insert(QStringLiteral("CheckBox1"), c.CheckBox1.checked);
  form.insert(QStringLiteral("DevNoEdit"), c.DevNoEdit.text);
  form.insert(QStringLiteral("DevAddrEdit"), c.DevAddrEdit.text);
  form.insert(QStringLiteral("summerTcwEdit"), c.summerTcwEdit.text);
  form.insert(QStringLiteral("winterTcwEdit"), c.winterTcwEdit.text);
  form.insert(QStringLiteral("tcwPressureEdit"), c.tcwPressureEdit.text);

  const ChannelsTable& channels = workspace.cdsChannels();
  QJsonArray channelRows;
  for (int row = 0; row < channels.RowCount(); ++row) {
    QJsonObject cells;
    for (ChannelField field : ChannelsTable::GridColumns())
      cells.insert(ChannelsTable::FieldName(field), channels.Text(row, field));
    channelRows.append(cells);
  }
  form.insert(QStringLiteral("cdsChannels"), channelRows);

  const CircuitsTable& circuits = workspace.cdsCircuits();
  QJsonArray circuitRows;
  for (int row = 0; row < circuits.RowCount(); ++row) {
    QJsonObject cells;
    for (const CircuitColumnName& column : kCircuitColumns)
      cells.insert(QString::fromLatin1(column.name), circuits.Text(row, column.column));
    circuitRows.append(cells);
  }
  form.insert(QStringLiteral("cdsCircuits"), circuitRows);
  return form;
}

QStringList ApplyForm(InitWorkspace& workspace, const QJsonObject& form) {
  Application a{form, {}};
  const QJsonObject known = ToForm(workspace);
  for (auto it = form.begin(); it != form.end(); ++it) {
    if (!known.contains(it.key()))
      a.refused << it.key();
  }
  InitWorkspace::Batch batch(workspace);
  workspace.NotifyChanged();
  InitTabControls& c = workspace.Controls();

  // The tab always shows a model.
  if (ApplyList(a, "cbDeviceType", c.cbDeviceType, false))
    workspace.cbDeviceTypeChange();
  if (ApplyList(a, "cbCountingScheme", c.cbCountingScheme))
    workspace.CountingSchemeChanged();

  ApplyList(a, "cbQWDim", c.cbQWDim);
  if (ApplyList(a, "cbGGoDim", c.cbGGoDim))
    workspace.cbGGoDimChange();
  ApplyList(a, "cbTermType", c.cbTermType);
  if (ApplyList(a, "cbLCType", c.cbLCType))
    workspace.cbLCTypeChange();
  if (ApplyList(a, "cbLCMeasurement", c.cbLCMeasurement))
    workspace.cbLCMeasurementChange();
  if (ApplyCheck(a, "cbThirdChannel", c.cbThirdChannel))
    workspace.cbThirdChannelClick();
  ApplyList(a, "cbgth", c.cbgth);
  ApplyList(a, "cbReaction", c.cbReaction);
  ApplyCheck(a, "cbUsePresetP", c.cbUsePresetP);
  ApplyList(a, "cbSummerDst", c.cbSummerDst);
  ApplyList(a, "cbWinterDst", c.cbWinterDst);
  ApplyCheck(a, "CheckBox1", c.CheckBox1);

  ApplyEdit(a, "DevNoEdit", c.DevNoEdit);
  ApplyEdit(a, "DevAddrEdit", c.DevAddrEdit);
  ApplyEdit(a, "summerTcwEdit", c.summerTcwEdit);
  ApplyEdit(a, "winterTcwEdit", c.winterTcwEdit);
  ApplyEdit(a, "tcwPressureEdit", c.tcwPressureEdit);

  ApplyChannels(a, workspace);
  ApplyCircuits(a, workspace);
  return a.refused;
}

}  // namespace vrx
