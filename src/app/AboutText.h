#pragma once

#include <QString>

namespace vrx {

// The text of "О программе": the version, the instruments the tool serves (every model of the
// catalogue with its versions, the RQ-7 unit, the interface module) and where the journal of
// writes and the settings are kept.
QString AboutText(const QString& journalFile, const QString& settingsFile);

// The window's caption, with the version.
QString ProgramCaption();

}  // namespace vrx
