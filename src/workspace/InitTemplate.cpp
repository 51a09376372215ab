#include "workspace/InitTemplate.h"

#include <QSaveFile>

#include "model/Errors.h"
#include "workspace/FormFile.h"
#include "workspace/WorkspaceForm.h"

namespace vrx {

namespace {

const QString kModel = QStringLiteral("cbDeviceType");
const QString kScheme = QStringLiteral("cbCountingScheme");
const QString kErase = QStringLiteral("CheckBox1");

}  // namespace

InitTemplate InitTemplate::Load(const QString& path) {
  try {
    return InitTemplate(LoadFormFile(path));
  } catch (const FormFileError& error) {
    const QString text = error.problem() == FormFileError::Problem::Unreadable
                             ? QStringLiteral("Не удалось прочитать шаблон \"%1\": %2")
                             : QStringLiteral("Файл \"%1\" не является шаблоном: %2");
    throw EOwned(text.arg(path, error.detail()));
  }
}

void InitTemplate::Save(const InitWorkspace& workspace, const QString& path) {
  // Written aside and renamed over the old file only when complete.
  QSaveFile file(path);
  const QByteArray text = FormFileText(ToForm(workspace));
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    throw EOwned(
        QStringLiteral("Не удалось сохранить шаблон \"%1\": %2").arg(path, file.errorString()));
  }
}

std::optional<QString> InitTemplate::ModelQuestion(const InitWorkspace& workspace) const {
  if (!form_.contains(kModel))
    return std::nullopt;
  const QJsonValue model = form_.value(kModel);
  const ListState& list = workspace.Controls().cbDeviceType;
  if (!model.isString() || !list.items.contains(model.toString()))
    throw BadFormValue(kModel);
  if (!list.HasSelection() || list.Text() == model.toString())
    return std::nullopt;
  return QStringLiteral(
             "Шаблон составлен для %1, а на вкладке выбран %2. Сменить тип прибора на %1?")
      .arg(model.toString(), list.Text());
}

void InitTemplate::ApplyTo(InitWorkspace& workspace) const {
  QJsonObject form = form_;
  form.remove(kErase);
  const QJsonObject selected = ToForm(workspace);
  for (const QString& key : {kModel, kScheme}) {
    if (form.value(key) != selected.value(key))
      break;
    form.remove(key);
  }
  ApplyForm(workspace, form);
}

}  // namespace vrx
