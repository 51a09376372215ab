#include "sim/HeatCalculator.h"

#include <gtest/gtest.h>

#include <ostream>

#include "sim/SimTestSupport.h"

namespace vrx::sim {
namespace {

using test::Bytes;
using test::Concat;
using test::Hex;

struct IdentifyCase {
  const char* label;
  HeatCalculatorConfig config;
  const char* answer;  // echo included
};

void PrintTo(const IdentifyCase& c, std::ostream* os) {
  *os << c.label;
}

class HeatCalculatorIdentify : public testing::TestWithParam<IdentifyCase> {};

TEST_P(HeatCalculatorIdentify, AnswersInOneReply) {
  HeatCalculator calculator(GetParam().config);
  EXPECT_EQ(calculator.OnByte(5).bytes, Hex(GetParam().answer));
}

INSTANTIATE_TEST_SUITE_P(
    Types, HeatCalculatorIdentify,
    testing::Values(
        IdentifyCase{"L1_first", {.typeIndex = 1}, "0500"},
        IdentifyCase{"L1_last", {.typeIndex = 4}, "0503"},
        IdentifyCase{"L1_alias", {.typeIndex = 2, .typeByte = 6}, "0506"},
        IdentifyCase{"L2", {.typeIndex = 5}, "0508e3"},
        IdentifyCase{"L3_E3_no_extra", {.typeIndex = 11, .versionByte = 0xE3}, "0509e3"},
        IdentifyCase{"L3_byte10", {.typeIndex = 12, .typeByte = 10}, "050af9"},
        IdentifyCase{"L5_default", {.typeIndex = 17}, "0509c3"},
        IdentifyCase{"L5_A3_extra", {.typeIndex = 17, .versionByte = 0xA3}, "0509a312"},
        IdentifyCase{"L5_byte10_AB_extra",
                     {.typeIndex = 19, .typeByte = 10, .versionByte = 0xAB, .subVersionByte = 7},
                     "050aab07"},
        IdentifyCase{"L12", {.typeIndex = 23}, "050cf812"},
        IdentifyCase{"L13", {.typeIndex = 34, .subVersionByte = 0x03}, "050bfe03"},
        IdentifyCase{"L13_A3_one_extra", {.typeIndex = 29, .versionByte = 0xA3}, "050ba312"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(HeatCalculator, EveryTypeReadsADefaultImageWithAKnownScheme) {
  for (int index = 1; index <= kTypeCount; ++index) {
    SCOPED_TRACE(index);
    HeatCalculator calculator({.typeIndex = index});
    const TDeviceRecord& type = DeviceTypeAt(index);
    const Bytes image = calculator.Image();
    ASSERT_EQ(static_cast<int>(image.size()), (*type.Layout)[Length]);
    // Scheme 17 of the VRX-L1 lists (6th of list A), scheme 6 of list C, scheme 7 of list D.
    const bool listC = type.Code == 4 || type.Code == 8;
    const int expected = index <= 2 ? 6 : index <= 4 ? 17 : listC ? 6 : 7;
    EXPECT_EQ(SchemeLookup(FamilyOf(type), type, image[(*type.Layout)[Scheme] - 1]), expected);
    EXPECT_EQ(calculator.OnByte(4).bytes, Concat({4}, image));
  }
}

TEST(HeatCalculator, WriteEchoesEachDataByteAndIsReadBack) {
  for (uint8_t command : {0, 18}) {
    SCOPED_TRACE(command);
    HeatCalculator calculator({.typeIndex = 17});
    const Bytes data = test::Pattern(calculator.SettingsLength(), command);
    const std::vector<Reply> replies = test::Feed(calculator, Concat({command}, data));
    for (size_t i = 0; i < replies.size(); ++i) {
      ASSERT_EQ(replies[i].bytes, Bytes{i == 0 ? command : data[i - 1]});
    }
    EXPECT_EQ(calculator.OnByte(4).bytes, Concat({4}, data));
    EXPECT_EQ(calculator.Writes(), (std::vector<BlockWrite>{{command, data}}));
    EXPECT_EQ(calculator.ArchiveErasures(), command == 0 ? 1 : 0);
  }
}

TEST(HeatCalculator, LeaveInitModeAndUnknownCommandsAreEchoedOnly) {
  HeatCalculator calculator({.typeIndex = 1});
  EXPECT_EQ(test::Joined(test::Feed(calculator, Hex("03777f03"))), Hex("03777f03"));
  EXPECT_EQ(calculator.InitModeExits(), 2);
}

TEST(HeatCalculator, TypeIndexByName) {
  EXPECT_EQ(HeatCalculator::TypeIndexByName("VRX-L1-1.1"), 1);
  EXPECT_EQ(HeatCalculator::TypeIndexByName("VRX-L13-2.2"), 34);
  EXPECT_EQ(HeatCalculator::TypeIndexByName("VRX-L13"), 0);
}

}  // namespace
}  // namespace vrx::sim
