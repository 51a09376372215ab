// "Считать" of the tab "Инициализация VRX" on a settings image of any content: the first input
// byte picks the instrument type (and so the image layout), the next its sub-version byte, the
// rest is the image the instrument hands out (cut or padded with zeros to its length).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz/FuzzInputs.h"
#include "fuzz/FuzzLine.h"
#include "init/InitWorkspace.h"
#include "init/ReadIniParams.h"
#include "init/WorkspaceForm.h"
#include "model/Catalogue.h"
#include "model/Errors.h"
#include "sim/HeatCalculator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kHeader = vrx::fuzz::kSettingsImageHeader;
  if (size < kHeader)
    return -1;
  vrx::sim::HeatCalculatorConfig config;
  config.typeIndex = 1 + data[0] % static_cast<int>(vrx::DeviceTypes().size());
  config.subVersionByte = data[1];
  vrx::sim::HeatCalculator calculator(config);
  std::vector<uint8_t> image(data + kHeader, data + size);
  image.resize(static_cast<size_t>(calculator.SettingsLength()));
  calculator.SetImage(image);

  vrx::fuzz::LineConnection line(std::make_unique<vrx::fuzz::InstrumentLine>(calculator));
  vrx::Connection& c = line.connection;
  vrx::InitWorkspace workspace(c.state);
  workspace.Start();
  try {
    vrx::ReadIniParams(workspace, c.link, c.state, c.buffer);
  } catch (const vrx::EOwned&) {
    // A refused image is reported to the user; the tab shows what was read before it.
  }
  vrx::ToForm(workspace);
  return 0;
}
