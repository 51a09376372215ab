#include "image/SettingsCheck.h"

#include <gtest/gtest.h>

#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

const char* const kScheme = "Неправильный номер измерительной схемы.\r\n";
const char* const kSummer = "Неправильный месяц перехода на летнюю температуру.\r\n";
const char* const kWinter = "Неправильный месяц перехода на зимнюю температуру.\r\n";
const char* const kRtc = "Неправильное значение коррекции RTC.\r\n";
const char* const kEnd = "Прибор не будет работать.";

struct CheckCase {
  const char* label;
  int type;
  uint8_t scheme;
  uint8_t months;
  uint8_t rtc;
  QString expected;  // empty: no warning
};

void PrintTo(const CheckCase& c, std::ostream* os) {
  *os << c.label;
}

QString Lines(std::initializer_list<const char*> lines) {
  QString text;
  for (const char* line : lines) {
    text += QString::fromUtf8(line);
  }
  return text + QString::fromUtf8(kEnd);
}

class SettingsCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(SettingsCheck, WarnsWithTheCollectedLines) {
  const CheckCase& c = GetParam();
  const ConnectionState state = test::StateFor(c.type);
  InstrumentBuffer buffer = test::Filled(0);
  SettingsImage image(buffer, state);
  const SettingsLayout& layout = *state.Layout;
  buffer.bytes[layout[Scheme] - 1] = c.scheme;
  buffer.bytes[layout[Months] - 1] = c.months;
  buffer.bytes[layout[RtcCorrection] - 1] = c.rtc;

  RecordingMessages messages;
  CheckSettingsImage(image, messages);
  if (c.expected.isEmpty()) {
    EXPECT_TRUE(messages.All().empty());
    return;
  }
  ASSERT_EQ(messages.All().size(), 1u);
  const RecordingMessages::Shown& shown = messages.All().front();
  EXPECT_EQ(shown.text, c.expected);
  EXPECT_EQ(shown.kind, DialogKind::Warning);
  EXPECT_EQ(shown.caption, QString::fromUtf8("Предупреждение"));
  ASSERT_TRUE(shown.font.has_value());
  EXPECT_EQ(*shown.font, (DialogFont{QStringLiteral("Arial"), 10, true, kColorRed}));
  EXPECT_EQ(shown.colour, kColorButtonFace);
  EXPECT_FALSE(shown.addCancel);
  EXPECT_EQ(shown.defaultIndex, 0);
  EXPECT_EQ(shown.buttons, QStringList{QStringLiteral("OK")});
}

// Scheme code 0 is the first scheme of every list; VRX-L3 offers only 27 schemes of list D, so
// code 27 (its 28th) is unknown to it but known to a VRX-L5.
INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsCheck,
    testing::Values(
        CheckCase{"sound image", test::kL3Type, 0, 0xA4, 0x15, {}},
        CheckCase{"both months 0 and 13", test::kL3Type, 0, 0x0D, 0x15, Lines({kSummer, kWinter})},
        CheckCase{"summer month 0", test::kL2Type, 0, 0xA0, 0x00, Lines({kSummer})},
        CheckCase{"winter month 13", test::kL12Type, 0, 0xD1, 0x00, Lines({kWinter})},
        CheckCase{"months 12 and 1 are fine", test::kL13Type, 0, 0x1C, 0x20, {}},
        CheckCase{"RTC 21", test::kL3Type, 0, 0xA4, 0x21, Lines({kRtc})},
        CheckCase{"RTC low nibble above 9", test::kL5Type, 0, 0xA4, 0x0A, Lines({kRtc})},
        CheckCase{"RTC 30 in the six low bits", test::kL5Type, 0, 0xA4, 0x30, Lines({kRtc})},
        CheckCase{"RTC top bits are not part of it", test::kL5Type, 0, 0xA4, 0xD5, {}},
        CheckCase{"scheme the L3 does not offer", test::kL3Type, 27, 0xA4, 0x15, Lines({kScheme})},
        CheckCase{"the same scheme on a VRX-L5", test::kL5Type, 27, 0xA4, 0x15, {}},
        CheckCase{"everything wrong, in order", test::kL12Type, 7, 0xF0, 0x1A,
                  Lines({kScheme, kSummer, kWinter, kRtc})},
        CheckCase{"a VRX-L1 is not checked", test::kL1Type, 99, 0x00, 0xFF, {}}),
    [](const auto& info) { return std::to_string(info.index); });

}  // namespace
}  // namespace vrx
