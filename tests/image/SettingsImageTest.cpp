#include "image/SettingsImage.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

using test::BytesAt;
using test::Hex;

class SettingsImageAccess : public testing::Test {
 protected:
  ConnectionState state_ = test::StateFor(test::kL2Type);
  InstrumentBuffer buffer_ = test::Filled(0);
  SettingsImage image_{buffer_, state_};
};

TEST_F(SettingsImageAccess, BitsAndPairsChangeOnlyTheirOwnBits) {
  buffer_.bytes[9] = 0b10100101;  // position 10
  EXPECT_TRUE(image_.GetBit(10, 0));
  EXPECT_FALSE(image_.GetBit(10, 1));
  EXPECT_TRUE(image_.GetBit(10, 7));
  EXPECT_EQ(image_.GetPair(10, 0), 1);
  EXPECT_EQ(image_.GetPair(10, 2), 1);
  EXPECT_EQ(image_.GetPair(10, 4), 2);
  EXPECT_EQ(image_.GetPair(10, 6), 2);
  EXPECT_EQ(image_.GetPair(10, 5), 1);

  image_.SetBit(10, 1, true);
  image_.SetBit(10, 7, false);
  EXPECT_EQ(buffer_.bytes[9], 0b00100111);
  image_.SetPair(10, 4, 3);
  EXPECT_EQ(buffer_.bytes[9], 0b00110111);
  image_.SetPair(10, 0, 0);
  EXPECT_EQ(buffer_.bytes[9], 0b00110100);
  // Only the two low bits of the value count.
  image_.SetPair(10, 6, 0b111);
  EXPECT_EQ(buffer_.bytes[9], 0b11110100);
  // The neighbours are untouched.
  EXPECT_EQ(buffer_.bytes[8], 0);
  EXPECT_EQ(buffer_.bytes[10], 0);
}

TEST_F(SettingsImageAccess, WordsInBothByteOrders) {
  image_.SetWordLE(42, 300);
  EXPECT_EQ(BytesAt(buffer_, 42, 2), Hex("2c01"));
  image_.SetWordBE(18, 300);
  EXPECT_EQ(BytesAt(buffer_, 18, 2), Hex("012c"));
  EXPECT_EQ(image_.GetWordLE(42), 300);
  EXPECT_EQ(image_.GetWordBE(18), 300);
  EXPECT_EQ(image_.GetWordLE(18), 0x2C01);
  EXPECT_EQ(image_.GetWordBE(42), 0x2C01);
  image_.SetWordLE(127, 0xBEEF);  // the last two bytes of the buffer
  EXPECT_EQ(BytesAt(buffer_, 127, 2), Hex("efbe"));
}

TEST_F(SettingsImageAccess, ClearBytesClearsExactlyTheRun) {
  buffer_ = test::Filled(0x5A);
  image_.ClearBytes(6, 29);
  EXPECT_EQ(buffer_.bytes[4], 0x5A);
  for (int p = 6; p <= 34; ++p) {
    EXPECT_EQ(buffer_.bytes[p - 1], 0) << p;
  }
  EXPECT_EQ(buffer_.bytes[34], 0x5A);
  image_.ClearBytes(50, 0);
  EXPECT_EQ(buffer_.bytes[49], 0x5A);
}

TEST_F(SettingsImageAccess, PositionsOutsideTheBufferAreRefused) {
  buffer_ = test::Filled(0x5A);
  // Position 0 stands for a field the model does not have; 128 is the buffer's last byte.
  EXPECT_THROW(image_.Byte(0), std::out_of_range);
  EXPECT_THROW(image_.SetBit(0, 1, true), std::out_of_range);
  EXPECT_THROW(image_.SetPair(129, 0, 1), std::out_of_range);
  EXPECT_THROW(image_.SetWordLE(128, 1), std::out_of_range);
  EXPECT_THROW(image_.GetWordBE(128), std::out_of_range);
  EXPECT_THROW(image_.ClearBytes(0, 2), std::out_of_range);
  EXPECT_THROW(image_.ClearBytes(120, 10), std::out_of_range);
  EXPECT_THROW(image_.SetPair(5, 7, 1), std::out_of_range);
  for (uint8_t b : buffer_.bytes) {
    ASSERT_EQ(b, 0x5A);
  }
  EXPECT_NO_THROW(image_.SetByte(128, 1));
}

TEST(SettingsImageLayout, FollowsANewIdentificationAndNeedsOne) {
  ConnectionState state;
  InstrumentBuffer buffer;
  const SettingsImage image(buffer, state);
  EXPECT_THROW(image.FieldPos(Length), std::logic_error);
  EXPECT_THROW(image.Family(), std::logic_error);
  state = test::StateFor(test::kL3Type);
  EXPECT_EQ(image.Length(), 90);
  EXPECT_EQ(image.Model(), ImageModel::L3);
  EXPECT_EQ(image.FieldPos(GminDigits), 0);
  state = test::StateFor(test::kL13Type);
  EXPECT_EQ(image.FieldPos(CircuitBits), 91);
  EXPECT_EQ(image.Model(), ImageModel::L13);
}

}  // namespace
}  // namespace vrx
