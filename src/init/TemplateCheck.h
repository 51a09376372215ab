#pragma once

#include <QJsonObject>
#include <QString>

#include "init/InitWorkspace.h"
#include "link/DeviceLink.h"
#include "link/InstrumentBuffer.h"

namespace vrx {

// "Сверить с шаблоном…": does the instrument still hold the settings of the project?

// Compares the settings the tab shows (ShownSettings) with a template's values of the same keys.
// A key the template lacks, and a cell it gives as "----", is not compared: applied, the template
// would leave it as it is. Texts that read as the same number ("5" and "5,0") are equal. A key
// the tab does not have (a control, a row of its tables, a column) raises FormRefused naming the
// file and every such key, as loading the template would.
TemplateComparison CompareWithTemplate(const InitWorkspace& workspace,
                                       const QJsonObject& templateForm, const QString& path);

// Reads the instrument as "Считать" does (ReadIniParams), reads the template file
// (ReadInitTemplate) and keeps the comparison with the reading, which the tab marks and the
// settings protocol lists. The template is read first, so a file that is no template reads
// nothing from the instrument.
const TemplateComparison& CheckAgainstTemplate(InitWorkspace& workspace, DeviceLink& link,
                                               ConnectionState& state, InstrumentBuffer& buffer,
                                               const QString& path);

// The comparison as lines of text: "FIELD (LABEL): в приборе X, в шаблоне Y" each.
QStringList DifferenceLines(const TemplateComparison& comparison);

}  // namespace vrx
