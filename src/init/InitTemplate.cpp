#include "init/InitTemplate.h"

#include <QSaveFile>

#include "init/WorkspaceForm.h"
#include "model/Errors.h"
#include "model/FormFile.h"

namespace vrx {

namespace {

const QString kModel = QStringLiteral("cbDeviceType");
const QString kScheme = QStringLiteral("cbCountingScheme");

}  // namespace

QJsonObject ReadInitTemplate(const QString& path) {
  try {
    return LoadFormFile(path);
  } catch (const FormFileError& error) {
    const QString text = error.problem() == FormFileError::Problem::Unreadable
                             ? QStringLiteral("Не удалось прочитать шаблон \"%1\": %2")
                             : QStringLiteral("Файл \"%1\" не является шаблоном: %2");
    throw EOwned(text.arg(path, error.detail()));
  }
}

namespace {

// Whether the template may be applied: asked when it switches the tab to another model. A model
// the list does not have is refused with the template's other keys.
bool ModelAgreed(const InitWorkspace& workspace, const QJsonObject& form, Messages& messages) {
  const QJsonValue model = form.value(kModel);
  const ListState& list = workspace.Controls().cbDeviceType;
  if (!model.isString() || !list.items.contains(model.toString()) || !list.HasSelection() ||
      list.Text() == model.toString())
    return true;
  return messages.Confirm(
      QStringLiteral("Шаблон составлен для %1, а на вкладке выбран %2. Сменить тип прибора на %1?")
          .arg(model.toString(), list.Text()));
}

}  // namespace

void SaveInitTemplate(const InitWorkspace& workspace, const QString& path) {
  // Written aside and renamed over the old file only when complete.
  QSaveFile file(path);
  const QByteArray text = FormFileText(ToForm(workspace));
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    throw EOwned(
        QStringLiteral("Не удалось сохранить шаблон \"%1\": %2").arg(path, file.errorString()));
  }
}

bool LoadInitTemplate(InitWorkspace& workspace, const QString& path, Messages& messages) {
  const QJsonObject form = ReadInitTemplate(path);
  if (!ModelAgreed(workspace, form, messages))
    return false;
  ApplyInitTemplate(workspace, form, path);
  return true;
}

void ApplyInitTemplate(InitWorkspace& workspace, QJsonObject form, const QString& path) {
  const QJsonObject selected = ToForm(workspace);
  for (const QString& key : {kModel, kScheme}) {
    if (form.value(key) != selected.value(key))
      break;
    form.remove(key);
  }
  const InitWorkspace::Snapshot before = workspace.Save();
  const bool erase = workspace.Controls().CheckBox1.checked;
  try {
    RequireUsableForm(path, ApplyForm(workspace, form));
  } catch (...) {
    workspace.Restore(before);
    throw;
  }
  workspace.Controls().CheckBox1.checked = erase;
}

}  // namespace vrx
