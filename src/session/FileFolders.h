#pragma once

#include <QSettings>
#include <QString>

namespace vrx {

// The folder the file dialogs of a kind of file start in: the one last used for that kind, kept
// in the settings as "FileFolders/KEY", while it still exists; else the user's home (never the
// working directory, which is wherever the program happened to be started).
QString StartFolder(const QSettings& settings, const QString& key);
// Keeps the folder of the file chosen for that kind.
void RememberFolder(QSettings& settings, const QString& key, const QString& chosenFile);

}  // namespace vrx
