#include "widgets/DecimalEditInput.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

TEST(DecimalEditInput, DigitsBothSeparatorsAndBackspaceAreTyped) {
  const struct {
    const char* typed;
    const char* kept;
  } cases[] = {
      {"0123456789", "0123456789"},
      {"2,5", "2,5"},
      {"2.5", "2.5"},
      {"\b", "\b"},
      {"-1e3 ;/", "13"},
      // Other scripts' digits and separators are not the instrument's.
      {"\u0663\uFF15\u066B", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecimalEditInput(QString::fromUtf8(c.typed)), QString::fromUtf8(c.kept)) << c.typed;
}

}  // namespace
}  // namespace vrx
