#include "rq7/Rq7Block.h"

#include <gtest/gtest.h>

#include "model/Errors.h"
#include "support/QtPrinters.h"
#include "support/Rq7TestSupport.h"

namespace vrx {
namespace {

using test::HexOf;

// A block with nothing set but the bits that always are, and flows that pass the checks.
std::vector<uint8_t> Blank() {
  std::vector<uint8_t> block(73, 0);
  block[48] = block[51] = 0x01;
  block[72] = 0x40;
  return block;
}

std::vector<uint8_t> Encoded(const Rq7InitForm& form, std::vector<uint8_t> block) {
  EncodeUnitBlock(form, block.data());
  return block;
}

struct BitCase {
  const char* box;
  std::vector<std::pair<int, int>> bits;  // byte, bit
};

// Every bit of bytes 46 to 51 a control stands for; error 5 on the output of group 1 is written
// twice.
const BitCase kBits[] = {
    {"cbOut11", {{46, 0}}}, {"cbOut21", {{46, 1}}},          {"cbOut31", {{46, 2}}},
    {"cbOut41", {{46, 3}}}, {"cbOut51", {{46, 4}, {49, 4}}}, {"cbOut52", {{46, 5}}},
    {"cbErr11", {{46, 6}}}, {"cbErr12", {{46, 7}}},          {"cbte11", {{47, 0}}},
    {"cbte21", {{47, 1}}},  {"cbte31", {{47, 2}}},           {"cbte41", {{47, 3}}},
    {"cbte51", {{47, 4}}},  {"cbVt21", {{48, 1}}},           {"cbVt31", {{48, 2}}},
    {"cbVt41", {{48, 3}}},  {"cbVt51", {{48, 4}}},           {"cbErr31", {{48, 6}}},
    {"cbErr32", {{48, 7}}}, {"cbOut12", {{49, 0}}},          {"cbOut22", {{49, 1}}},
    {"cbOut32", {{49, 2}}}, {"cbOut42", {{49, 3}}},          {"cbErr41", {{49, 6}}},
    {"cbErr42", {{49, 7}}}, {"cbt2e12", {{50, 0}}},          {"cbt2e22", {{50, 1}}},
    {"cbt2e32", {{50, 2}}}, {"cbt2e42", {{50, 3}}},          {"cbt2e51", {{50, 4}}},
    {"cbErr6", {{50, 7}}},  {"cbV2t22", {{51, 1}}},          {"cbV2t32", {{51, 2}}},
    {"cbV2t42", {{51, 3}}}, {"cbV2t51", {{51, 4}}},
};

struct GroupCase {
  const char* group;
  const char* item;
  std::vector<std::pair<int, int>> bits;
};

const GroupCase kGroups[] = {
    {"rgErr21", "Акт - 0", {{47, 6}}}, {"rgErr21", "Акт - 1", {{47, 6}, {47, 5}}},
    {"rgErr22", "Акт - 0", {{47, 7}}}, {"rgErr22", "Акт - 1", {{47, 7}, {48, 5}}},
    {"rgErr5", "Акт - 0", {{50, 6}}},  {"rgErr5", "Акт - 1", {{50, 6}, {49, 5}}},
};

std::vector<uint8_t> WithBits(const std::vector<std::pair<int, int>>& bits) {
  std::vector<uint8_t> block = Blank();
  for (auto [byte, bit] : bits)
    block[byte] |= static_cast<uint8_t>(1 << bit);
  return block;
}

TEST(Rq7Block, EveryFlagBitShowsInItsControlAloneAndIsWrittenBack) {
  for (const BitCase& c : kBits) {
    SCOPED_TRACE(c.box);
    const std::vector<uint8_t> block = WithBits(c.bits);
    Rq7InitForm form = DefaultRq7Form();
    DecodeUnitBlock(block.data(), form);
    for (const BitCase& other : kBits)
      EXPECT_EQ(form.checks.value(other.box), QLatin1String(other.box) == c.box) << other.box;
    for (const char* group : kRq7GroupNames)
      EXPECT_EQ(form.texts.value(group), "Выкл");
    EXPECT_EQ(HexOf(Encoded(form, Blank())), HexOf(block));
  }
  for (const GroupCase& c : kGroups) {
    SCOPED_TRACE(std::string(c.group) + " " + c.item);
    const std::vector<uint8_t> block = WithBits(c.bits);
    Rq7InitForm form = DefaultRq7Form();
    DecodeUnitBlock(block.data(), form);
    for (const char* group : kRq7GroupNames)
      EXPECT_EQ(form.texts.value(group), group == std::string(c.group) ? c.item : "Выкл");
    EXPECT_EQ(HexOf(Encoded(form, Blank())), HexOf(block));
  }
}

TEST(Rq7Block, EveryFieldReadsAndWritesItsBytes) {
  const std::vector<uint8_t> block = test::HandWrittenUnitBlock();
  Rq7InitForm form = DefaultRq7Form();
  DecodeUnitBlock(block.data(), form);
  const std::pair<const char*, const char*> texts[] = {
      {"RQWTimeEdit", "12345:67"},
      {"WTime1Edit", "00001:02"},
      {"WTime2Edit", "99999:59"},
      {"ETime1Edit", "00000:00"},
      {"ETime2Edit", "00012:30"},
      {"meV1", "00012345,6789"},
      {"meV2", "98765432,1098"},
      {"meAl1", "07:30"},
      {"meAl2", "22:15"},
      {"DevRQAddrEdit", "5"},
      {"DevRQNoEdit", "12345"},
      {"cbPW1", "0,01"},
      {"cbPW2", "1"},
      {"meV1l", "0,7500"},
      {"meV2l", "3,6000"},
      {"meV1h", "999"},
      {"meV2h", "144"},
      {"meV1ll", "123,456"},
      {"meV1hl", "000,500"},
      {"meV2ll", "999,999"},
      {"meV2hl", "010,000"},
      {"rgErr21", "Акт - 1"},
      {"rgErr22", "Выкл"},
      {"rgErr5", "Акт - 1"},
      {"l1", "15 сек/сутки"},
  };
  for (auto [name, text] : texts)
    EXPECT_EQ(form.texts.value(name), QString::fromUtf8(text)) << name;
  EXPECT_EQ(form.TrackBar1, 15);
  EXPECT_TRUE(form.checks.value("cbVt11"));
  EXPECT_TRUE(form.checks.value("cbV2t12"));
  // Unchanged controls write the block again, the uncovered bits taken from the block written
  // into.
  EXPECT_EQ(HexOf(Encoded(form, block)), HexOf(block));
}

TEST(Rq7Block, ClockCorrection) {
  const std::pair<int, uint8_t> cases[] = {
      {-20, 0x20}, {20, 0x60}, {0, 0x40}, {-15, 0x15}, {15, 0x55}};
  for (auto [position, byte] : cases) {
    EXPECT_EQ(ClockCorrectionByte(position), byte) << position;
    Rq7InitForm form = DefaultRq7Form();
    DecodeClockCorrection(byte, form);
    EXPECT_EQ(form.TrackBar1, position);
  }
  Rq7InitForm form = DefaultRq7Form();
  DecodeClockCorrection(0x25, form);
  EXPECT_EQ(form.TrackBar1, 0);
  EXPECT_EQ(form.texts.value("l1"), "25h");
}

TEST(Rq7Block, AddressZeroOrEmptyIsWrittenAsZeroAndReadBackEmpty) {
  for (const char* typed : {"0", "", "ab"}) {
    Rq7InitForm form = DefaultRq7Form();
    form.texts["DevRQAddrEdit"] = typed;
    std::vector<uint8_t> block = Encoded(form, Blank());
    EXPECT_EQ(block[41], 0) << typed;
    DecodeUnitBlock(block.data(), form);
    EXPECT_EQ(form.texts.value("DevRQAddrEdit"), "");
  }
}

TEST(Rq7Block, FlowChecks) {
  struct Case {
    const char *vmin, *vmax, *pulse;
    QStringList failed;  // channel 1's messages; channel 2 always passes
  };
  const QStringList range = {"Ошибка диапазона расхода 1к."};
  const QStringList pulse = {"Ошибка цены импульса 1к."};
  const Case cases[] = {
      {"0,75", "999", "0,01", {}},  // ratio 1332
      {"0,7", "999", "0,01", range},
      {"0", "999", "0,01", range + pulse},
      {"5", "5", "0,001", {}},
      {"3,6", "144", "1", {}},
      {"3,6", "144", "5", pulse},
      {"100", "999", "1", range},  // 100000 thousandths do not fit the block's word
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.vmin) + " " + c.vmax + " " + c.pulse);
    Rq7InitForm form = DefaultRq7Form();
    DecodeUnitBlock(test::HandWrittenUnitBlock().data(), form);
    form.texts["meV1l"] = c.vmin;
    form.texts["meV1h"] = c.vmax;
    form.texts["cbPW1"] = c.pulse;
    EXPECT_EQ(CheckUnitFlows(form), c.failed);
  }
}

}  // namespace
}  // namespace vrx
