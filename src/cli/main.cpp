#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "cli/VrxCtl.h"
#include "model/NumberLocale.h"
#include "report/PdfOutput.h"
#include "report/views/DocumentRenderer.h"

int main(int argc, char** argv) {
  // Laying out a document needs fonts, so a run that writes one starts the toolkit's GUI part,
  // on the offscreen platform: the companion works without a display.
  bool documents = false;
  for (int i = 1; i < argc; ++i)
    documents = documents || QByteArray(argv[i]) == "--pdf";
  std::unique_ptr<QCoreApplication> app;
  if (documents) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
    vrx::InstallPdfWriter(vrx::WritePdfFile);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  // Numbers as the window writes them, so a form printed here loads there unchanged.
  QLocale::setDefault(vrx::NumberLocale(QLocale::system()));
  QTextStream in(stdin);
  QTextStream out(stdout);
  QTextStream err(stderr);
  const int code = vrx::RunVrxCtl(QCoreApplication::arguments(), in, out, err);
  out.flush();
  err.flush();
  return code;
}
