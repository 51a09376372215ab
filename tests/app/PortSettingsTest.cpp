#include "app/PortSettings.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <optional>

#include "support/FakePortLine.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

struct StoredValues {
  std::optional<QVariant> comNumber;
  std::optional<QVariant> baudRate;
  PortSelection expected;
};

class PortSettingsTest : public ::testing::Test {
 protected:
  QSettings Settings() { return QSettings(dir_.filePath("tool.ini"), QSettings::IniFormat); }

  QTemporaryDir dir_;
};

TEST_F(PortSettingsTest, LoadReadsEachValueOnItsOwnAndClamps) {
  const StoredValues cases[] = {
      {std::nullopt, std::nullopt, {0, 0}},
      {1, 0, {0, 0}},
      {4, 1, {3, 1}},
      {2, std::nullopt, {1, 0}},
      {std::nullopt, 1, {0, 1}},
      {9, 5, {3, 1}},
      {0, -1, {0, 0}},
      {-1, 0, {0, 0}},
      {QStringLiteral("abc"), 1, {0, 1}},
      {3, QStringLiteral("9600"), {2, 1}},
      {3, QStringLiteral("быстро"), {2, 0}},
  };
  for (const StoredValues& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "ComNumber=" << (c.comNumber ? c.comNumber->toString().toStdString() : "-")
                 << " BaudRate=" << (c.baudRate ? c.baudRate->toString().toStdString() : "-"));
    QSettings settings = Settings();
    settings.clear();
    if (c.comNumber)
      settings.setValue("ComNumber", *c.comNumber);
    if (c.baudRate)
      settings.setValue("BaudRate", *c.baudRate);
    EXPECT_EQ(LoadPortSelection(settings), c.expected);
  }
}

class OpenSelectedPortTest : public ::testing::Test {
 protected:
  std::shared_ptr<test::PortEvents> events_ = std::make_shared<test::PortEvents>();
  TComPort port_{test::PlainNaming(), std::make_unique<test::FakeSerialBackend>(events_)};
  test::RecordingPacer pacer_{events_};
};

TEST_F(OpenSelectedPortTest, APortThatDoesNotOpenIsNotOpenedAgain) {
  events_->openSucceeds = false;
  OpenSelectedPort(port_, pacer_, 3, 1, 9600);
  EXPECT_EQ(events_->log, (QStringList{"open /dev/ttyS3 9600", "wait 50"}));
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(port_.LastOpenError(), events_->openFailure);
}

}  // namespace
}  // namespace vrx
