#include "init/TemplateCheck.h"

#include <QJsonArray>
#include <QJsonValue>
#include <optional>

#include "init/InitTemplate.h"
#include "init/ReadIniParams.h"
#include "init/TabFields.h"
#include "init/WorkspaceForm.h"
#include "model/FormFile.h"

namespace vrx {

namespace {

// The template's value of a shown setting: a control's own key, or a cell
// "cdsChannels[ROW].COLUMN"; nothing where the template does not set it.
std::optional<QString> TemplateText(const QJsonObject& form, const QString& key) {
  QJsonValue value;
  if (const std::optional<CellKey> cell = CellOfKey(key)) {
    const QJsonObject row = form.value(cell->table).toArray().at(cell->row).toObject();
    if (!row.contains(cell->name) || row.value(cell->name) == QLatin1String("----"))
      return std::nullopt;
    value = row.value(cell->name);
  } else {
    if (!form.contains(key))
      return std::nullopt;
    value = form.value(key);
  }
  if (value.isBool())
    return value.toBool() ? QStringLiteral("да") : QStringLiteral("нет");
  // Null and a value of the wrong kind, as the file has them.
  return value.isString() ? value.toString() : value.toVariant().toString();
}

std::optional<double> Number(QString text) {
  bool ok = false;
  const double value = text.replace(u',', u'.').trimmed().toDouble(&ok);
  return ok ? std::optional<double>(value) : std::nullopt;
}

bool SameSetting(const QString& instrument, const QString& inTemplate) {
  if (instrument == inTemplate)
    return true;
  const std::optional<double> a = Number(instrument);
  const std::optional<double> b = Number(inTemplate);
  return a && b && *a == *b;
}

// The keys of a template the tab does not have: a control it lacks (a misspelt name), a row beyond
// its table, a cell that is no column. Left aside they would never be compared, and a check would
// pass that never looked at them.
QStringList UnknownKeys(const QJsonObject& tab, const QJsonObject& form) {
  QStringList unknown;
  for (auto it = form.begin(); it != form.end(); ++it) {
    if (!tab.contains(it.key())) {
      unknown << it.key();
      continue;
    }
    const QJsonArray ours = tab.value(it.key()).toArray();
    const QJsonArray theirs = it.value().toArray();
    for (qsizetype row = 0; row < theirs.size(); ++row) {
      const QString where = QStringLiteral("%1[%2]").arg(it.key()).arg(row);
      if (row >= ours.size()) {
        unknown << where;
        continue;
      }
      const QJsonObject cells = theirs.at(row).toObject();
      for (auto cell = cells.begin(); cell != cells.end(); ++cell) {
        if (!ours.at(row).toObject().contains(cell.key()))
          unknown << where + u'.' + cell.key();
      }
    }
  }
  return unknown;
}

}  // namespace

TemplateComparison CompareWithTemplate(const InitWorkspace& workspace,
                                       const QJsonObject& templateForm, const QString& path) {
  RequireUsableForm(path, UnknownKeys(ToForm(workspace), templateForm));
  TemplateComparison comparison{path, {}};
  for (const TabField& field : ShownSettings(workspace)) {
    const std::optional<QString> inTemplate = TemplateText(templateForm, field.key);
    if (inTemplate && !SameSetting(field.value, *inTemplate))
      comparison.differences.push_back({field.key, field.label, field.value, *inTemplate});
  }
  return comparison;
}

const TemplateComparison& CheckAgainstTemplate(InitWorkspace& workspace, DeviceLink& link,
                                               ConnectionState& state, InstrumentBuffer& buffer,
                                               const QString& path) {
  const QJsonObject form = ReadInitTemplate(path);
  ReadIniParams(workspace, link, state, buffer);
  workspace.KeepComparison(CompareWithTemplate(workspace, form, path));
  return *workspace.Reading()->comparison;
}

QStringList DifferenceLines(const TemplateComparison& comparison) {
  QStringList lines;
  for (const FieldDifference& d : comparison.differences) {
    lines << QStringLiteral("%1 (%2): в приборе %3, в шаблоне %4")
                 .arg(d.field, d.label, d.instrument, d.inTemplate);
  }
  return lines;
}

}  // namespace vrx
