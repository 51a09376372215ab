// Form files of any content: the input is the file, loaded as a template of the tab
// "Инициализация VRX" ("Загрузить шаблон…", the model switched when the template asks), then as
// the companion's --form of the tabs "Доп. интерфейс" and "Инициализация RQ".
#include <QByteArray>
#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz/FuzzLine.h"
#include "fuzz/InputFile.h"
#include "iface/InterfaceFormFile.h"
#include "iface/InterfaceSettings.h"
#include "init/InitTemplate.h"
#include "init/InitWorkspace.h"
#include "init/WorkspaceForm.h"
#include "link/ConnectionState.h"
#include "model/Errors.h"
#include "model/FormFile.h"
#include "model/Messages.h"
#include "rq7/Rq7Form.h"

namespace {

void LoadIntoInitTab(const QString& path) {
  vrx::ConnectionState state;
  vrx::InitWorkspace workspace(state);
  workspace.Start();
  vrx::RecordingMessages messages;  // "Да" to switching the model
  try {
    vrx::LoadInitTemplate(workspace, path, messages);
  } catch (const vrx::EOwned&) {
    // No form, or a value the tab refuses: reported, the tab as it was.
  }
  vrx::ToForm(workspace);
}

void ApplyToInterfaceTab(const QJsonObject& form) {
  vrx::fuzz::LineConnection line(std::make_unique<vrx::fuzz::ScriptLine>(nullptr, 0));
  vrx::InterfaceSettings tab(line.connection.modbus, line.connection.modbusBuffer);
  try {
    vrx::ApplyForm(tab, form);
  } catch (const vrx::EOwned&) {
    // A value the tab refuses: reported, what was applied before it stays.
  }
  vrx::ToForm(tab.Form());
}

void ApplyToRq7Tab(const QJsonObject& form) {
  vrx::Rq7InitForm tab = vrx::DefaultRq7Form();
  vrx::ApplyRq7Json(tab, form);
  vrx::Rq7FormToJson(tab);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = vrx::fuzz::WriteInputFile("form.json", data, size);
  if (path.isEmpty())
    return 0;
  LoadIntoInitTab(path);
  QJsonObject form;
  try {
    form = vrx::LoadFormFile(path);
  } catch (const vrx::FormFileError&) {
    return 0;  // Not a form file: refused before the companion opens the port.
  }
  ApplyToInterfaceTab(form);
  ApplyToRq7Tab(form);
  return 0;
}
