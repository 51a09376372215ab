#pragma once

#include <QJsonObject>
#include <QString>

#include "init/InitWorkspace.h"
#include "model/Messages.h"

namespace vrx {

// Templates of the tab "Инициализация VRX": the tab's form file, byte for byte as
// `vrxctl settings --json` prints it, so a template saved in the window initializes a batch of
// instruments with `vrxctl init --form` and a form printed by vrxctl loads into the window.

// Writes the tab as a template. A failed write leaves an existing file as it was and throws
// EOwned naming the file. The tab is saved as it shows, refused values included: they are
// refused where the template initializes, with the same messages as on the tab.
void SaveInitTemplate(const InitWorkspace& workspace, const QString& path);

// Reads a template file. Throws EOwned naming the file when it cannot be read or holds no form,
// FormRefused for control characters in it.
QJsonObject ReadInitTemplate(const QString& path);

// Loads a template file into the tab. A template of another model than the tab shows asks
// first whether to switch the model; "Нет" leaves the tab untouched and gives false. Throws
// EOwned naming the file when it cannot be read or holds no form, FormRefused for control
// characters in it, and the errors of ApplyInitTemplate.
bool LoadInitTemplate(InitWorkspace& workspace, const QString& path, Messages& messages);

// Applies a template over the tab as a user would (see ApplyForm). The model and the scheme are
// chosen only where they change, since choosing them again puts every channel row back to its
// defaults; where they stay, what the template does not change keeps the tab's value.
// "Стирать архив" is left as it is: erasing is decided for each instrument, not by a template.
// Keys the tab cannot use (see ApplyForm) raise FormRefused naming the file `path` and every such
// key; they and a value the tab refuses put the whole tab back as it was.
void ApplyInitTemplate(InitWorkspace& workspace, QJsonObject form, const QString& path);

}  // namespace vrx
