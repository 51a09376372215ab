#include "stamp/PcTimeStamp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/Errors.h"
#include "support/ScriptedConfirmation.h"
#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

using test::BytesAt;
using test::Filled;
using test::ScriptedConfirmation;
using test::StateFor;

const QDateTime kLastMinuteOf2024(QDate(2024, 12, 31), QTime(23, 59, 58, 999));
const std::vector<uint8_t> kLastMinuteStamp = {0x59, 0x23, 0x31, 0x12, 0x24};

TEST(PcTimeStampTest, StampsMinuteHourDayMonthYearAsBcdFromOneClockReading) {
  struct Case {
    const char* name;
    int typeIndex;  // 0: the RQ-7 unit
    int position;
  };
  const Case cases[] = {
      {"VRX-L1", test::kL1Type, 12}, {"VRX-L13", test::kL13Type, 1}, {"RQ-7", 0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int reads = 0;
    PcTimeStamp stamp([&reads] {
      ++reads;
      return kLastMinuteOf2024;
    });
    ScriptedConfirmation yes({true});
    InstrumentBuffer buffer = Filled(0xEE);
    if (c.typeIndex == 0) {
      stamp.StampInterfaceUnitTime(yes, buffer);
    } else {
      stamp.StampHeatCalculatorTime(yes, buffer, StateFor(c.typeIndex));
    }
    InstrumentBuffer expected = Filled(0xEE);
    std::copy(kLastMinuteStamp.begin(), kLastMinuteStamp.end(),
              expected.bytes.begin() + c.position - 1);
    EXPECT_EQ(buffer.bytes, expected.bytes);
    EXPECT_EQ(reads, 1);
  }
}

TEST(PcTimeStampTest, ARefusalWritesNothingAndTheNextStampAsksAgain) {
  PcTimeStamp stamp([] { return kLastMinuteOf2024; });
  ScriptedConfirmation no({false, false, false});
  InstrumentBuffer buffer = Filled(0xEE);
  EXPECT_THROW(stamp.StampHeatCalculatorTime(no, buffer, StateFor(test::kL5Type)), EAbort);
  EXPECT_THROW(stamp.StampHeatCalculatorTime(no, buffer, StateFor(test::kL5Type)), EAbort);
  EXPECT_THROW(stamp.StampInterfaceUnitTime(no, buffer), EAbort);
  EXPECT_EQ(no.asked, 3);
  EXPECT_EQ(buffer.bytes, Filled(0xEE).bytes);
}

TEST(PcTimeStampTest, OneYesServesTheRunForItsKindOnly) {
  QDateTime now = kLastMinuteOf2024;
  PcTimeStamp stamp([&now] { return now; });
  ScriptedConfirmation answers({true, false, true});
  const ConnectionState state = StateFor(test::kL1Type);
  InstrumentBuffer buffer = Filled(0);

  stamp.StampHeatCalculatorTime(answers, buffer, state);
  now = QDateTime(QDate(2025, 1, 2), QTime(3, 4));
  stamp.StampHeatCalculatorTime(answers, buffer, state);
  EXPECT_EQ(answers.asked, 1);
  EXPECT_EQ(BytesAt(buffer, 12, 5), (std::vector<uint8_t>{0x04, 0x03, 0x02, 0x01, 0x25}));

  // The RQ-7 unit asks for itself; its refusal leaves the heat calculator's confirmation alone.
  EXPECT_THROW(stamp.StampInterfaceUnitTime(answers, buffer), EAbort);
  stamp.StampInterfaceUnitTime(answers, buffer);
  stamp.StampInterfaceUnitTime(answers, buffer);
  stamp.StampHeatCalculatorTime(answers, buffer, state);
  EXPECT_EQ(answers.asked, 3);
}

}  // namespace
}  // namespace vrx
