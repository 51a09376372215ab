#include <QDateTime>

#include "cli/DocumentOptions.h"
#include "report/PdfOutput.h"
#include "report/ProgramData.h"
#include "report/SchemePictures.h"
#include "report/SettingsProtocol.h"

namespace vrx {

void SettingsPdfOption(CliRun& run, const InitWorkspace& workspace) {
  // The pictures are looked for where the window looks for them.
  const Document document = BuildSettingsProtocol(
      workspace, QDateTime::currentDateTime(),
      [](uint32_t number) { return LoadSchemePicture(ProgramDataFolders(), number); });
  WritePdf(document, run.Value("pdf"));
}

}  // namespace vrx
