#include <QDateTime>

#include "cli/DocumentOptions.h"
#include "report/CurrentReport.h"
#include "report/PdfOutput.h"

namespace vrx {

void CurrentPdfOption(CliRun& run, const CurrentParams& tab) {
  WritePdf(BuildCurrentReport(tab, QDateTime::currentDateTime()), run.Value("pdf"));
}

}  // namespace vrx
