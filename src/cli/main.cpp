#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/VrxCtl.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream in(stdin);
  QTextStream out(stdout);
  QTextStream err(stderr);
  const int code = vrx::RunVrxCtl(QCoreApplication::arguments(), in, out, err);
  out.flush();
  err.flush();
  return code;
}
