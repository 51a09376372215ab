// A port that does not open says why, in Russian with what to do, on the second line of the
// error every exchange raises: a device that is not there, one another program holds (another
// port object) and one the user may not open (a pseudo-terminal made unreadable).

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "link/ComPort.h"
#include "sim/EmulatedInstrument.h"
#include "support/LinkTestSupport.h"

namespace vrx::test {
namespace {

// Opens `device` as COM1 and checks the reason it gives for not opening.
void ExpectRefused(const QString& device, const QString& reason) {
  TComPort port(PortNaming([&](int) { return device; }));
  port.Open(1, 4800, 1500);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.LastOpenError(), reason);
  EXPECT_EQ(ErrorOf([&] { port.PurgeInput(); }),
            QStringLiteral("COM-порт не открыт\n%1: %2").arg(device, reason).toStdString());
}

TEST(PortOpenFailure, AMissingDeviceAndABusyOneSayWhatToDo) {
  QTemporaryDir dir;
  ExpectRefused(dir.filePath(QStringLiteral("ttyUSB0")),
                QStringLiteral("нет такого устройства. Подключен ли адаптер? Устройство порта "
                               "выбирается в «Порты…»."));

  const auto emulator = sim::EmulatedInstrument::Start("VRX-L13-2.2");
  const QString device = QString::fromStdString(emulator->SlavePath());
  TComPort holder(PortNaming([&](int) { return device; }));
  holder.Open(1, 4800, 1500);
  ASSERT_TRUE(holder.IsOpen()) << holder.LastOpenError().toStdString();
  ExpectRefused(device,
                QStringLiteral("устройство занято другой программой. Закройте ее и повторите."));
}

TEST(PortOpenFailure, ADeviceTheUserMayNotOpenNamesTheGroupAndTheCommand) {
  if (::geteuid() == 0)
    GTEST_SKIP() << "the tests run as root, who may open any device";
  const auto emulator = sim::EmulatedInstrument::Start("VRX-L13-2.2");
  const QString device = QString::fromStdString(emulator->SlavePath());
  ASSERT_TRUE(QFile::setPermissions(device, {}));
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(device).constData(), &status), 0);
  const QString user = QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name);
  const QString group = QString::fromLocal8Bit(::getgrgid(status.st_gid)->gr_name);
  ExpectRefused(device, QStringLiteral("нет прав на устройство: пользователь %1 не входит в "
                                       "группу %2, владеющую им. Добавьте его командой «sudo "
                                       "usermod -a -G %2 %1» и войдите в систему заново.")
                            .arg(user, group));
}

}  // namespace
}  // namespace vrx::test
