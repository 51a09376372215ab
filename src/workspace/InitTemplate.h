#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>

#include "workspace/InitWorkspace.h"

namespace vrx {

// A template of the tab "Инициализация VRX": the tab's form file, byte for byte as
// `vrxctl settings --json` prints it, so a template saved in the window initializes a batch of
// instruments with `vrxctl init --form` and a form printed by vrxctl loads into the window.
class InitTemplate {
 public:
  explicit InitTemplate(QJsonObject form) : form_(std::move(form)) {}

  // Reads a template file. Throws EOwned naming the file when it cannot be read or holds no
  // form.
  static InitTemplate Load(const QString& path);
  // Writes the tab as a template; a failed write leaves an existing file as it was and throws
  // EOwned naming the file. The tab is saved as it shows, refused values included: they are
  // refused where the template initializes, with the same messages as on the tab.
  static void Save(const InitWorkspace& workspace, const QString& path);

  // The question to ask before applying a template of another model than the tab shows; nothing
  // when the model stays or the template names none. Throws EOwned when the template's model is
  // none of the list's.
  std::optional<QString> ModelQuestion(const InitWorkspace& workspace) const;

  // Applies the template over the tab as a user would (see ApplyForm). The model and the scheme
  // are chosen only where they change, since choosing them again puts every channel row back to
  // its defaults; where they stay, what the template does not change keeps the tab's value.
  // "Стирать архив" is left as it is: erasing is decided for each instrument, not by a template.
  void ApplyTo(InitWorkspace& workspace) const;

 private:
  QJsonObject form_;
};

}  // namespace vrx
