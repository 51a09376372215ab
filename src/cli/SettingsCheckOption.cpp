#include "cli/DocumentOptions.h"
#include "init/ReadIniParams.h"
#include "init/TemplateCheck.h"
#include "model/FormFile.h"

namespace vrx {

int CheckSettingsOption(CliRun& run, InitWorkspace& workspace) {
  const QString path = run.Value("check");
  const QJsonObject form = LoadFormFile(path);
  Connection& connection = run.Connect();
  ReadIniParams(workspace, connection.link, connection.state, connection.buffer);
  workspace.KeepComparison(CompareWithTemplate(workspace, form, path));
  const TemplateComparison& comparison = *workspace.Reading()->comparison;
  if (comparison.differences.empty()) {
    run.out << "Все настройки прибора совпадают с шаблоном " << path << '\n';
    return kExitDone;
  }
  run.out << "Настройки прибора отличаются от шаблона " << path
          << " (поле (надпись): в приборе, в шаблоне):\n";
  for (const QString& line : DifferenceLines(comparison))
    run.out << line << '\n';
  return kExitRefused;
}

}  // namespace vrx
