// The emulator's current values: the running counters, a fixed block served as given, and the
// block file of vrx-sim --current.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "sim/CurrentBlockBuilder.h"
#include "sim/HeatCalculator.h"
#include "sim/SimTestSupport.h"

namespace vrx::sim {
namespace {

using test::Bytes;
using test::Hex;

TEST(CurrentValues, CountersGrowWithTheRunningTime) {
  const TDeviceRecord& type = DeviceTypeAt(HeatCalculator::TypeIndexByName("VRX-L13-2.2"));
  CurrentBlockSource source{&type, false, 0xFE, HeatCalculator({.typeIndex = 34}).Image(), 0};
  const Bytes start = BuildCurrentBlock(source);
  source.runningSeconds = 7200;
  const Bytes later = BuildCurrentBlock(source);
  // Heat meter 1's energy (7 bytes from 43) and channel 1's volume (6 bytes from 57) are BCD,
  // least significant byte first: the later block holds the larger numbers.
  const auto number = [](const Bytes& block, int position, int bytes) {
    return Bytes(block.rbegin() + static_cast<long>(block.size()) - position - bytes + 1,
                 block.rbegin() + static_cast<long>(block.size()) - position + 1);
  };
  EXPECT_GT(number(later, 43, 7), number(start, 43, 7));
  EXPECT_GT(number(later, 57, 6), number(start, 57, 6));
  EXPECT_EQ(later.size(), 114u);
}

TEST(CurrentValues, ServesAFixedBlockAsGiven) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("block.txt"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("vrx-sim current\n0102030405\n  0607\n");
  file.close();
  HeatCalculator calculator({.typeIndex = 34});
  calculator.WithCurrentValues(
      [&](CurrentValues& values) { values.ServeFixedBlock(CurrentValues::LoadBlockFile(path)); });
  EXPECT_EQ(calculator.OnByte(8).bytes, Hex("0801020304050607"));

  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("vrx-sim current\n01x2\n");
  file.close();
  try {
    CurrentValues::LoadBlockFile(path);
    ADD_FAILURE() << "a line that is not hex was taken";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()),
              "current block file " + path.toStdString() + " line 2 is not hex");
  }
}

}  // namespace
}  // namespace vrx::sim
