// Form files of any content: the input is the file, loaded as a template of the tab
// "Инициализация VRX" ("Загрузить шаблон…", the model switched when the template asks), then as
// the companion's --form of the tabs "Доп. интерфейс" and "Инициализация RQ" and of the
// correction dialogs "Автокоррекция RTC", "Коррекция цены импульса" and "Установка счетчиков".
#include <QByteArray>
#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz/CorrectionDialogs.h"
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
#include "service/CorrectionForms.h"

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
  // What the tab cannot use is refused, nothing applied then.
  static_cast<void>(vrx::ApplyForm(tab, form));
  vrx::ToForm(tab.Form());
}

void ApplyToRq7Tab(const QJsonObject& form) {
  vrx::Rq7InitForm tab = vrx::DefaultRq7Form();
  vrx::ApplyRq7Json(tab, form);
  vrx::Rq7FormToJson(tab);
}

// A copy of the dialog as "Считать" left it takes the form; what it refuses is reported, nothing
// of the form applied then.
template <typename Dialog>
void ApplyToDialog(const Dialog& prepared, const QJsonObject& form) {
  Dialog dialog = prepared;
  static_cast<void>(vrx::ApplyForm(dialog, form));
  vrx::ToForm(dialog);
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
  } catch (const vrx::FormRefused&) {
    return 0;  // A control character in it: refused the same way.
  }
  ApplyToInterfaceTab(form);
  ApplyToRq7Tab(form);
  static const vrx::fuzz::CorrectionDialogs dialogs;
  ApplyToDialog(dialogs.rtc, form);
  ApplyToDialog(dialogs.ticks, form);
  ApplyToDialog(dialogs.counters, form);
  return 0;
}
