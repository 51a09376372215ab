#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>
#include <cstdio>

#include "cli/VrxCtl.h"
#include "model/NumberLocale.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
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
