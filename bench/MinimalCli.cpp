// The start-up benchmark's measure of Qt's own start of a command-line program that talks to a
// serial line: it opens a pseudo-terminal, as vrxctl --demo opens its instrument's, and exits.

#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
    std::perror("pseudo-terminal");
    return 1;
  }
  const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
  if (slave < 0) {
    std::perror("pseudo-terminal");
    return 1;
  }
  ::close(slave);
  ::close(master);
  return 0;
}
