#include "app/StartupOptions.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

TEST(StartupOptionsTest, ParsesEveryOptionForm) {
  QString error;
  auto none = ParseStartupOptions({}, &error);
  ASSERT_TRUE(none);
  EXPECT_FALSE(none->service);
  EXPECT_FALSE(none->trace);
  EXPECT_TRUE(none->demoType.isEmpty());

  auto all = ParseStartupOptions({"--service", "--demo", "VRX-L5-2.2", "--com", "2=/dev/ttyUSB0",
                                  "--com=3=/tmp/line", "--trace", "--trace-file", "/tmp/t.log"},
                                 &error);
  ASSERT_TRUE(all) << error.toStdString();
  EXPECT_TRUE(all->service);
  EXPECT_TRUE(all->trace);
  EXPECT_EQ(all->traceFile, QStringLiteral("/tmp/t.log"));
  EXPECT_EQ(all->demoType, QStringLiteral("VRX-L5-2.2"));
  ASSERT_EQ(all->ports.size(), 2u);
  PortNaming naming(PortNaming::SettingLookup{});
  all->ApplyPorts(naming);
  EXPECT_EQ(naming.Resolve(2), QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(naming.Resolve(3), QStringLiteral("/tmp/line"));
  EXPECT_EQ(naming.Resolve(1), QStringLiteral("/dev/ttyS0"));
}

TEST(StartupOptionsTest, DemoTypeIsOptional) {
  const struct {
    QStringList arguments;
    QString demoType;
  } cases[] = {
      {{"--demo"}, "VRX-L13-2.2"},
      {{"--demo", "--service"}, "VRX-L13-2.2"},
      {{"--demo", "RQ-7"}, "RQ-7"},
      {{"--demo=VRX-L1-1.0"}, "VRX-L1-1.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    QString error;
    auto options = ParseStartupOptions(c.arguments, &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->demoType, c.demoType);
  }
}

TEST(StartupOptionsTest, RefusesUnknownOptionsAndMalformedPorts) {
  const QStringList bad[] = {
      {"--servce"}, {"--com"}, {"--com", "x=/dev/a"}, {"--com", "2"}, {"--com=0=/dev/a"},
      {"--demo="},  {"COM1"},  {"--service=1"}, {"--trace-file"}, {"--trace-file="},
  };
  for (const QStringList& arguments : bad) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    QString error;
    EXPECT_FALSE(ParseStartupOptions(arguments, &error));
    EXPECT_FALSE(error.isEmpty());
  }
}

}  // namespace
}  // namespace vrx
