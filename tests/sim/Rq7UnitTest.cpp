#include "sim/Rq7Unit.h"

#include <gtest/gtest.h>

#include "sim/SimTestSupport.h"

namespace vrx::sim {
namespace {

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

}  // namespace
}  // namespace vrx::sim
