#include "sim/Rq7Unit.h"

#include <gtest/gtest.h>

#include "sim/SimTestSupport.h"

namespace vrx::sim {
namespace {

using test::Bytes;
using test::Concat;

TEST(Rq7Unit, IdentifiesAndTakesItsBlock) {
  EXPECT_EQ(Rq7Unit({.subVersionByte = 0x03}).OnByte(5).bytes, test::Hex("05f103"));

  Rq7Unit unit;
  EXPECT_EQ(unit.OnByte(5).bytes, test::Hex("05f112"));
  const auto block = test::Pattern(73, 0x40);
  EXPECT_EQ(test::Joined(test::Feed(unit, Concat({0}, block))), Concat({0}, block));
  EXPECT_EQ(unit.OnByte(4).bytes, Concat({4}, block));
  EXPECT_EQ(unit.ArchiveErasures(), 1);
}

TEST(Rq7Unit, AKeptBlockBringsBackTheTimeOfTheLastInitialization) {
  Rq7Unit unit;
  Bytes block = test::Pattern(73, 0x40);
  const Bytes stamp = test::Hex("5923311224");
  std::copy(stamp.begin(), stamp.end(), block.begin());
  unit.RestoreImage(block);
  const Bytes clock = test::Joined(test::Feed(unit, {6}));
  ASSERT_EQ(clock.size(), 14u);  // the echo and the 13-byte block
  EXPECT_EQ(Bytes(clock.begin() + 6, clock.begin() + 11), stamp);
}

}  // namespace
}  // namespace vrx::sim
