#pragma once

class QCoreApplication;

namespace vrx {

// Installs Qt's Russian translations into `app`, so that what Qt draws itself (file dialogs, the
// context menus of edits, standard buttons) is Russian like the rest of the window, whatever the
// system's language. Returns false when they are not installed (Debian: qt6-translations-l10n);
// Qt's English texts stay then, which is no error.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace vrx
