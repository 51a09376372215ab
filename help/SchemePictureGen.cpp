// Build step: draws the picture of every scheme of the catalogue and writes it as
// OUTPUT_DIR/images/N.jpg, N being the scheme's picture number.
//   vrx-scheme-pictures OUTPUT_DIR

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include "JpegWriter.h"
#include "SchemeDrawing.h"
#include "SchemeSketch.h"

int main(int argc, char** argv) {
  // Drawing text needs a platform, a build step must not need a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QTextStream err(stderr);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() != 2) {
    err << "usage: vrx-scheme-pictures OUTPUT_DIR\n";
    return 2;
  }
  const QDir images(args[1] + QStringLiteral("/images"));
  if (!images.mkpath(QStringLiteral("."))) {
    err << "cannot create " << images.path() << '\n';
    return 1;
  }
  for (const vrx::SchemeSketch& sketch : vrx::SketchCatalogue()) {
    const QString path = images.filePath(QStringLiteral("%1.jpg").arg(sketch.picture));
    QString error;
    if (!vrx::WriteJpeg(vrx::DrawScheme(sketch), path, &error)) {
      err << path << ": " << error << '\n';
      return 1;
    }
  }
  return 0;
}
