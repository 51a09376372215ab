// Form files of any content, as the companion takes them with --form: the input is the file,
// loaded and applied to the tab "Инициализация VRX", the tab "Доп. интерфейс" and the tab
// "Инициализация RQ" in turn.
#include <QByteArray>
#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "cli/CliRun.h"
#include "cli/FormFile.h"
#include "fuzz/FuzzLine.h"
#include "fuzz/InputFile.h"
#include "iface/InterfaceFormFile.h"
#include "iface/InterfaceSettings.h"
#include "iface/Rq7Form.h"
#include "link/ConnectionState.h"
#include "model/Errors.h"
#include "workspace/InitWorkspace.h"
#include "workspace/WorkspaceForm.h"

namespace {

void ApplyToInitTab(const QJsonObject& form) {
  vrx::ConnectionState state;
  vrx::InitWorkspace workspace(state);
  workspace.Start();
  try {
    vrx::ApplyForm(workspace, form);
  } catch (const vrx::EOwned&) {
    // A value the tab does not take: refused, what was applied before it stays.
  }
  vrx::ToForm(workspace);
}

void ApplyToInterfaceTab(const QJsonObject& form) {
  vrx::fuzz::LineConnection line(std::make_unique<vrx::fuzz::ScriptLine>(nullptr, 0));
  vrx::InterfaceSettings tab(line.connection.modbus, line.connection.modbusBuffer);
  try {
    vrx::ApplyForm(tab, form);
  } catch (const vrx::EOwned&) {
    // As above.
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
  QJsonObject form;
  try {
    form = vrx::LoadFormFile(path);
  } catch (const vrx::UsageError&) {
    return 0;  // Not a form file: refused before any tab sees it.
  }
  ApplyToInitTab(form);
  ApplyToInterfaceTab(form);
  ApplyToRq7Tab(form);
  return 0;
}
