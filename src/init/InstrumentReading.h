#pragma once

#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "image/SettingsImage.h"

namespace vrx {

class InitWorkspace;

// A setting in which the instrument and a template differ: the form name, the label the tab
// shows it by, and both texts (the template's empty where it sets the control to nothing).
struct FieldDifference {
  QString field;
  QString label;
  QString instrument;
  QString inTemplate;
};

// The instrument compared with a template file right after reading it.
struct TemplateComparison {
  QString path;
  std::vector<FieldDifference> differences;
};

// What the instrument held when the tab last showed it in this run: after "Считать", or after an
// initialization whose block the instrument took and gave back.
struct InstrumentReading {
  // The tab as a form file at that moment.
  QJsonObject form;
  // The instrument as its identification named it: type entry, version byte and sub-version.
  QString typeName;
  uint8_t versionByte = 0;
  uint8_t subVersion = 0;
  // The time stamp of the last initialization in the block, "ДД.ММ.ГГ чч:мм"; empty where the
  // model keeps none or the block holds no valid one.
  QString lastInitialization;
  // The last "Сверить с шаблоном…" of this reading.
  std::optional<TemplateComparison> comparison;
};

// The stamp of the last initialization an image holds, as the tab "Текущие параметры" shows the
// instrument's: day, month, year, hour and minute from its five BCD bytes. Empty for a model
// without a stamp, a nibble above 9 or a day 0 (a block never stamped).
QString LastInitializationText(const SettingsImage& image);

// Keeps the tab as the instrument holds it now; `image` is the block just read or taken back.
void KeepReading(InitWorkspace& workspace, const SettingsImage& image);

// Whether the tab shows something else than it did at the reading. "Стирать архив" does not
// count: it chooses how the next initialization writes, it is no setting.
bool EditedSinceReading(const InitWorkspace& workspace);

}  // namespace vrx
