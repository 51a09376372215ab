#include "report/SettingsProtocol.h"

#include "init/TabFields.h"
#include "init/TemplateCheck.h"
#include "model/Errors.h"
#include "report/DocumentParts.h"

namespace vrx {

namespace {

const char kNothingRead[] =
    "Протокол не составлен: настройки прибора в этом сеансе не считаны. Нажмите «Считать» на "
    "вкладке «Инициализация VRX» и повторите.";
const char kEditedSinceReading[] =
    "Протокол не составлен: значения на вкладке изменены после считывания и могут не совпадать с "
    "прибором. Нажмите «Считать», чтобы вернуть значения прибора, или проведите инициализацию, "
    "затем повторите.";

// "VRX-L13" of the type entry "VRX-L13-2.2": the entry ends with the hardware version.
QString ModelOfType(const QString& typeName) {
  const qsizetype dash = typeName.lastIndexOf(u'-');
  return dash > 0 ? typeName.left(dash) : typeName;
}

DocumentTable Grid(const ShownTable& table) {
  return {table.titles, table.rows};
}

void AddComparison(Document& document, const TemplateComparison& comparison) {
  document.blocks.push_back(DocumentHeading{QStringLiteral("Сверка с шаблоном")});
  document.blocks.push_back(DocumentRows{{{QStringLiteral("Шаблон:"), comparison.path}}});
  if (comparison.differences.empty()) {
    document.blocks.push_back(
        DocumentText{QStringLiteral("Все настройки прибора совпадают с шаблоном.")});
    return;
  }
  DocumentTable table{{QStringLiteral("Поле"), QStringLiteral("Надпись"),
                       QStringLiteral("В приборе"), QStringLiteral("В шаблоне")},
                      {}};
  for (const FieldDifference& d : comparison.differences)
    table.rows << QStringList{d.field, d.label, d.instrument, d.inTemplate};
  document.blocks.push_back(table);
}

}  // namespace

void RequireInstrumentShown(const InitWorkspace& workspace) {
  if (!workspace.Reading())
    throw EOwned(QString::fromUtf8(kNothingRead));
  if (EditedSinceReading(workspace))
    throw EOwned(QString::fromUtf8(kEditedSinceReading));
}

Document BuildSettingsProtocol(const InitWorkspace& workspace, const QDateTime& madeAt,
                               const SchemePictureLoader& picture) {
  RequireInstrumentShown(workspace);
  const InstrumentReading& reading = *workspace.Reading();
  const InitTabControls& c = workspace.Controls();
  Document document{QStringLiteral("Протокол настроечных параметров"), {}};
  document.blocks.push_back(DocumentHeading{QStringLiteral("Прибор")});
  const QString unknown = QStringLiteral("неизвестно");
  document.blocks.push_back(DocumentRows{{
      {QStringLiteral("Модель:"), ModelOfType(reading.typeName)},
      {QStringLiteral("Тип прибора по каталогу:"), reading.typeName},
      {QStringLiteral("Версия ПО:"), FirmwareText(reading.versionByte, reading.subVersion)},
      {QStringLiteral("Заводской номер:"), c.DevNoEdit.text},
      {QStringLiteral("Сетевой адрес:"), c.DevAddrEdit.text},
      {QStringLiteral("Последняя инициализация:"),
       reading.lastInitialization.isEmpty() ? unknown : reading.lastInitialization},
      {QStringLiteral("Протокол составлен:"), MadeAtText(madeAt)},
  }});

  if (const TSchemeRecord* scheme = workspace.Selection().scheme) {
    document.blocks.push_back(
        DocumentHeading{QStringLiteral("Измерительная схема %1").arg(scheme->SchemeNumber)});
    document.blocks.push_back(picture(scheme->PictureNumber));
  }

  document.blocks.push_back(DocumentHeading{QStringLiteral("Настройки")});
  DocumentRows settings;
  for (const TabField& field : ShownFields(workspace))
    settings.rows.emplace_back(field.label, field.value);
  document.blocks.push_back(settings);

  const ShownTable channels = ShownChannels(workspace);
  if (!channels.titles.isEmpty()) {
    document.blocks.push_back(DocumentHeading{c.GroupBox2.caption});
    document.blocks.push_back(Grid(channels));
  }
  const ShownTable circuits = ShownCircuits(workspace);
  if (!circuits.titles.isEmpty()) {
    document.blocks.push_back(DocumentHeading{QString::fromUtf8(kCircuitsLabel)});
    document.blocks.push_back(Grid(circuits));
  }
  if (reading.comparison)
    AddComparison(document, *reading.comparison);
  document.blocks.push_back(Signatures(QStringLiteral("Настройку выполнил")));
  return document;
}

}  // namespace vrx
