// Replies of the interface module of any content: the first input byte picks what the tool asks
// the module, the rest is everything the line brings back, in order (the reply of every request
// of the action). The actions are those of the tabs that talk Modbus: "Прочитать" and
// "Записать" of "Доп. интерфейс", and the readouts of "Текущие параметры" and "Текущие
// параметры RQ" through the module.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "current/CurrentDisplay.h"
#include "current/CurrentReadout.h"
#include "fuzz/FuzzInputs.h"
#include "fuzz/FuzzLine.h"
#include "iface/InterfaceFormFile.h"
#include "iface/InterfaceSettings.h"
#include "model/Errors.h"
#include "model/Messages.h"
#include "rq7/Rq7Readout.h"

namespace {

using namespace vrx::fuzz;

void Run(ModbusAction action, vrx::Connection& c) {
  vrx::RecordingMessages messages;
  switch (action) {
    case kReadInterfaceSettings:
    case kWriteInterfaceSettings: {
      vrx::InterfaceSettings tab(c.modbus, c.modbusBuffer);
      if (action == kReadInterfaceSettings)
        tab.Read();
      else
        tab.Write();
      vrx::ToForm(tab.Form());
      break;
    }
    case kReadCurrentParams: {
      vrx::CurrentDisplay display;
      vrx::ReadCurrentParams(c, vrx::CurrentPath::Interface, messages, display);
      break;
    }
    case kReadRq7Values: {
      vrx::Rq7ValuesDisplay display;
      vrx::ReadRq7Values(c, vrx::CurrentPath::Interface, messages, display);
      break;
    }
    case kModbusActions:
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1)
    return -1;
  vrx::fuzz::LineConnection line(std::make_unique<vrx::fuzz::ScriptLine>(data + 1, size - 1));
  try {
    Run(static_cast<ModbusAction>(data[0] % kModbusActions), line.connection);
  } catch (const vrx::EOwned&) {
    // A transfer error or a refused block: reported to the user.
  }
  return 0;
}
