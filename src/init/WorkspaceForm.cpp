#include "init/WorkspaceForm.h"

#include <QJsonArray>
#include <QJsonValue>
#include <array>

#include "model/Errors.h"

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

// Applies the form's value of a list; true when the form has the key.
bool ApplyList(const QJsonObject& form, const char* key, ListState& list) {
  const QString name = QString::fromLatin1(key);
  if (!form.contains(name))
    return false;
  const QJsonValue value = form.value(name);
  if (value.isNull()) {
    list.index = -1;
    return true;
  }
  if (!value.isString() || !list.Select(value.toString()))
    throw BadFormValue(name);
  return true;
}

bool ApplyCheck(const QJsonObject& form, const char* key, CheckState& check) {
  const QString name = QString::fromLatin1(key);
  if (!form.contains(name))
    return false;
  const QJsonValue value = form.value(name);
  if (!value.isBool())
    throw BadFormValue(name);
  check.checked = value.toBool();
  return true;
}

void ApplyEdit(const QJsonObject& form, const char* key, EditState& edit) {
  const QString name = QString::fromLatin1(key);
  if (!form.contains(name))
    return;
  const QJsonValue value = form.value(name);
  if (!value.isString())
    throw BadFormValue(name);
  edit.text = value.toString();
}

// The rows of a table in the form; an absent key gives none.
QJsonArray RowsOf(const QJsonObject& form, const char* key) {
  const QString name = QString::fromLatin1(key);
  if (!form.contains(name))
    return {};
  const QJsonValue value = form.value(name);
  if (!value.isArray())
    throw BadFormValue(name);
  return value.toArray();
}

QJsonObject RowObject(const QJsonValue& value, const char* table) {
  if (!value.isObject())
    throw BadFormValue(QString::fromLatin1(table));
  return value.toObject();
}

// The text of a cell in a row object; nothing when the row lacks it or it reads "----".
std::optional<QString> CellText(const QJsonObject& row, const QString& name) {
  if (!row.contains(name))
    return std::nullopt;
  const QJsonValue value = row.value(name);
  if (!value.isString())
    throw BadFormValue(name);
  if (value.toString() == kDashes)
    return std::nullopt;
  return value.toString();
}

void ApplyChannels(InitWorkspace& workspace, const QJsonObject& form) {
  ChannelsTable& channels = workspace.cdsChannels();
  const QString channelNo = ChannelsTable::FieldName(ChannelField::ChannelNo);
  for (const QJsonValue& value : RowsOf(form, "cdsChannels")) {
    const QJsonObject cells = RowObject(value, "cdsChannels");
    const std::optional<QString> number = CellText(cells, channelNo);
    const int row = number ? channels.FindChannel(number->toInt()) : -1;
    if (row < 0)
      continue;
    for (ChannelField field : ChannelsTable::GridColumns()) {
      const std::optional<QString> text = CellText(cells, ChannelsTable::FieldName(field));
      if (text && channels.Editable(row, field) && channels.Text(row, field) != *text) {
        channels.SetCurrentRow(row);
        channels.SetText(row, field, *text);
      }
    }
  }
  channels.First();
}

void ApplyCircuits(InitWorkspace& workspace, const QJsonObject& form) {
  const CircuitsTable& circuits = workspace.cdsCircuits();
  for (const QJsonValue& value : RowsOf(form, "cdsCircuits")) {
    const QJsonObject cells = RowObject(value, "cdsCircuits");
    const std::optional<QString> err = CellText(cells, QStringLiteral("Err"));
    int row = -1;
    for (int i = 0; err && i < circuits.RowCount(); ++i) {
      if (circuits.Row(i).Err == *err)
        row = i;
    }
    if (row < 0)
      continue;
    for (const CircuitColumnName& column : kCircuitColumns) {
      const std::optional<QString> text = CellText(cells, QString::fromLatin1(column.name));
      if (text && !circuits.PickList(row, column.column).isEmpty() &&
          circuits.Text(row, column.column) != *text) {
        workspace.SetCircuitText(row, column.column, *text);
      }
    }
  }
}

}  // namespace

EOwned BadFormValue(const QString& key) {
  return EOwned(QStringLiteral("Недопустимое значение \"%1\" в файле формы").arg(key));
}

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

void ApplyForm(InitWorkspace& workspace, const QJsonObject& form) {
  InitWorkspace::Batch batch(workspace);
  workspace.NotifyChanged();
  InitTabControls& c = workspace.Controls();

  if (ApplyList(form, "cbDeviceType", c.cbDeviceType))
    workspace.cbDeviceTypeChange();
  if (ApplyList(form, "cbCountingScheme", c.cbCountingScheme))
    workspace.CountingSchemeChanged();

  ApplyList(form, "cbQWDim", c.cbQWDim);
  if (ApplyList(form, "cbGGoDim", c.cbGGoDim))
    workspace.cbGGoDimChange();
  ApplyList(form, "cbTermType", c.cbTermType);
  if (ApplyList(form, "cbLCType", c.cbLCType))
    workspace.cbLCTypeChange();
  if (ApplyList(form, "cbLCMeasurement", c.cbLCMeasurement))
    workspace.cbLCMeasurementChange();
  if (ApplyCheck(form, "cbThirdChannel", c.cbThirdChannel))
    workspace.cbThirdChannelClick();
  ApplyList(form, "cbgth", c.cbgth);
  ApplyList(form, "cbReaction", c.cbReaction);
  ApplyCheck(form, "cbUsePresetP", c.cbUsePresetP);
  ApplyList(form, "cbSummerDst", c.cbSummerDst);
  ApplyList(form, "cbWinterDst", c.cbWinterDst);
  ApplyCheck(form, "CheckBox1", c.CheckBox1);

  ApplyEdit(form, "DevNoEdit", c.DevNoEdit);
  ApplyEdit(form, "DevAddrEdit", c.DevAddrEdit);
  ApplyEdit(form, "summerTcwEdit", c.summerTcwEdit);
  ApplyEdit(form, "winterTcwEdit", c.winterTcwEdit);
  ApplyEdit(form, "tcwPressureEdit", c.tcwPressureEdit);

  ApplyChannels(workspace, form);
  ApplyCircuits(workspace, form);
}

}  // namespace vrx
