#include "sim/ByteProtocolInstrument.h"

#include <gtest/gtest.h>

#include "sim/HeatCalculator.h"
#include "sim/SimTestSupport.h"

namespace vrx::sim {
namespace {

using test::Bytes;
using test::Concat;

// Checks what a faulty exchange sent against what the sound one sends (echo first).
void ExpectDistorted(Fault fault, const Bytes& sound, const Bytes& got) {
  const Bytes tail(sound.begin() + 1, sound.end());
  switch (fault) {
    case Fault::NoReply:
      EXPECT_TRUE(got.empty());
      break;
    case Fault::ShortReply:
      EXPECT_EQ(got, Bytes(sound.begin(), sound.end() - 1));
      break;
    case Fault::WrongEcho:
      ASSERT_EQ(got.size(), sound.size());
      EXPECT_NE(got[0], sound[0]);
      EXPECT_EQ(Bytes(got.begin() + 1, got.end()), tail);
      break;
    case Fault::CorruptReply: {
      ASSERT_EQ(got.size(), sound.size());
      Bytes expected = sound;
      expected[1 + tail.size() / 2] = got[1 + tail.size() / 2];
      EXPECT_EQ(got, expected);  // only the middle byte of the answer may differ ...
      EXPECT_NE(got, sound);     // ... and it does
      break;
    }
    case Fault::StrayBytes:
      ASSERT_EQ(got.size(), sound.size() + 3);
      EXPECT_EQ(Bytes(got.begin(), got.begin() + sound.size()), sound);
      break;
    case Fault::ReplyAtOtherSpeed:
    // The faults of the current-values blocks change nothing else.
    case Fault::WrongChecksum:
    case Fault::UnknownFamily:
    case Fault::UnknownScheme:
    case Fault::BadBcdDigit:
      EXPECT_EQ(got, sound);
      break;
  }
}

class FaultTest : public testing::TestWithParam<Fault> {
 protected:
  HeatCalculator calculator_{{.typeIndex = 17}};
  const Bytes image_ = test::Pattern(calculator_.SettingsLength(), 0x20);
  void SetUp() override { calculator_.SetImage(image_); }
};

TEST_P(FaultTest, DistortsOneReadAndHonoursSkip) {
  const Bytes sound = Concat({4}, image_);
  calculator_.Arm(GetParam(), 4, 1);
  // Identification does not match the armed command and does not count.
  EXPECT_FALSE(calculator_.OnByte(5).atOtherSpeed);
  EXPECT_EQ(calculator_.OnByte(4).bytes, sound);
  const Reply faulty = calculator_.OnByte(4);
  ExpectDistorted(GetParam(), sound, faulty.bytes);
  EXPECT_EQ(faulty.atOtherSpeed, GetParam() == Fault::ReplyAtOtherSpeed);
  const Reply after = calculator_.OnByte(4);
  EXPECT_EQ(after.bytes, sound);
  EXPECT_FALSE(after.atOtherSpeed);
}

TEST_P(FaultTest, DistortsTheDataEchoOfAWrite) {
  const Bytes sound = Concat({18}, test::Pattern(calculator_.SettingsLength(), 0x90));
  calculator_.Arm(GetParam());
  const std::vector<Reply> replies = test::Feed(calculator_, sound);
  for (const Reply& reply : replies) {
    EXPECT_EQ(reply.atOtherSpeed, GetParam() == Fault::ReplyAtOtherSpeed);
  }
  ExpectDistorted(GetParam(), sound, test::Joined(replies));

  // The data bytes never start exchanges of their own; a silent instrument keeps its image.
  const bool taken = GetParam() != Fault::NoReply;
  EXPECT_EQ(calculator_.Image(), taken ? Bytes(sound.begin() + 1, sound.end()) : image_);
  EXPECT_EQ(calculator_.Writes().size(), taken ? 1u : 0u);
  EXPECT_EQ(calculator_.Heard(), sound);
  EXPECT_EQ(test::Joined(test::Feed(calculator_, sound)), sound);
}

INSTANTIATE_TEST_SUITE_P(AllFaults, FaultTest,
                         testing::Values(Fault::NoReply, Fault::ShortReply, Fault::WrongEcho,
                                         Fault::CorruptReply, Fault::StrayBytes,
                                         Fault::ReplyAtOtherSpeed));

TEST(ByteProtocolInstrument, FaultOnAnEchoOnlyCommandHitsTheEcho) {
  // Command 3 is echo-only on a VRX-L1; the other models answer it with their supply.
  HeatCalculator calculator({.typeIndex = 1});
  calculator.Arm(Fault::ShortReply, 3);
  calculator.Arm(Fault::CorruptReply, kAnyCommand, 1);
  EXPECT_EQ(calculator.OnByte(3).bytes, Bytes{});
  EXPECT_NE(calculator.OnByte(0x77).bytes, Bytes{0x77});
  EXPECT_EQ(calculator.OnByte(3).bytes, Bytes{0x03});
}

TEST(ByteProtocolInstrument, AbandonedWriteLeavesTheLineReadyForCommands) {
  HeatCalculator calculator({.typeIndex = 5});
  test::Feed(calculator, {0, 1, 2});
  calculator.AbandonExchange();
  EXPECT_EQ(calculator.OnByte(5).bytes, test::Hex("0508e3"));
  EXPECT_TRUE(calculator.Writes().empty());
}

TEST(ByteProtocolInstrument, TellsTheWriteObserverOfEveryBlockItTookAndOnlyThose) {
  HeatCalculator calculator({.typeIndex = 5});
  const Bytes first = test::Pattern(calculator.SettingsLength(), 0x10);
  const Bytes second = test::Pattern(calculator.SettingsLength(), 0x40);
  std::vector<BlockWrite> seen;
  calculator.SetWriteObserver([&](const BlockWrite& write) {
    seen.push_back(write);
    // The instrument is unlocked while the observer runs and already holds the new block.
    EXPECT_EQ(calculator.Image(), write.data);
  });

  test::Feed(calculator, Concat({0}, first));
  calculator.Arm(Fault::NoReply);
  test::Feed(calculator, Concat({18}, second));
  test::Feed(calculator, Concat({4, 3}, Concat({18}, second)));

  EXPECT_EQ(seen, (std::vector<BlockWrite>{{0, first}, {18, second}}));
}

}  // namespace
}  // namespace vrx::sim
