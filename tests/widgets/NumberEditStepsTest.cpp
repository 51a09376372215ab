#include "widgets/NumberEditSteps.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

struct StepCase {
  const char* text;
  bool up;
  const char* result;
};

TEST(NumberEditSteps, TheDeviceNumberStepsWithinItsRange) {
  const StepCase cases[] = {
      {"41", true, "42"}, {"41", false, "40"},       {"", true, "0"},
      {"", false, "0"},   {"x", true, "0"},          {"65535", true, "65535"},
      {"0", false, "0"},  {"99999", false, "65535"}, {"99999999999", true, "0"},
  };
  for (const StepCase& c : cases)
    EXPECT_EQ(DeviceNumberStep(c.text, c.up), c.result) << c.text << (c.up ? " up" : " down");
}

TEST(NumberEditSteps, TheAddressStepsWithinItsRange) {
  const StepCase cases[] = {
      {"7", true, "8"},   {"7", false, "6"}, {"", true, "1"},  {"", false, "1"},
      {"62", true, "62"}, {"1", false, "1"}, {"0", true, "1"}, {"70", false, "62"},
  };
  for (const StepCase& c : cases)
    EXPECT_EQ(NetworkAddressStep(c.text, c.up), c.result) << c.text << (c.up ? " up" : " down");
}

TEST(NumberEditSteps, OnlyLatinDigitsAndBackspaceAreTyped) {
  EXPECT_EQ(NumberEditInput(QStringLiteral("0123456789\b")), QStringLiteral("0123456789\b"));
  EXPECT_EQ(NumberEditInput(QStringLiteral("1a-2 ,.3\r")), QStringLiteral("123"));
  // Other scripts' digits are digits too, but not to the instrument.
  EXPECT_EQ(NumberEditInput(QStringLiteral("\u0663\uFF15")), QString());
}

}  // namespace
}  // namespace vrx
