#include "init/CircuitsTable.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <span>
#include <vector>

#include "support/WorkspaceTestSupport.h"

namespace vrx {

// A row as its grid shows it: "E: 1/1 1/0" (test and reaction of circuit 1, then of circuit 2).
void PrintTo(const CircuitRow& row, std::ostream* os) {
  *os << row.Err.toStdString() << ": " << row.Circuit1Test << '/' << row.Circuit1R << ' '
      << row.Circuit2Test << '/' << row.Circuit2R;
}

namespace {

using C = CircuitColumn;

const char* const kCodes[] = {"1", "2", "3", "4", "A", "C", "E", "F", "J"};
constexpr int kRowA = 4, kRowC = 5, kRowE = 6, kRowJ = 8;

TSchemeRecord SchemeWithTests(std::array<uint8_t, 5> tests) {
  TSchemeRecord scheme{};
  scheme.CircuitTests = tests;
  return scheme;
}

QString U(const char* text) {
  return QString::fromUtf8(text);
}

TEST(CircuitsTable, RebuildGivesNineDefaultRows) {
  CircuitsTable table;
  EXPECT_EQ(table.RowCount(), 0);
  const TSchemeRecord scheme = SchemeWithTests({1, 1, 1, 1, 1});
  table.Rebuild(&scheme);
  ASSERT_EQ(table.RowCount(), 9);
  for (int row = 0; row < 9; ++row) {
    EXPECT_EQ(table.Row(row), (CircuitRow{U(kCodes[row]), 1, 0, 1, 0}));
  }
  table.SetValue(0, C::Circuit1R, 1);
  table.Rebuild(&scheme);
  EXPECT_EQ(table.Row(0).Circuit1R, 0);
}

// Cell texts of a scheme whose governing bytes are all zero: nothing may be tested.
TEST(CircuitsTable, TextsWhenNothingIsAllowed) {
  const TSchemeRecord scheme = SchemeWithTests({0, 0, 0, 0, 0});
  CircuitsTable table;
  table.Rebuild(&scheme);
  const char* const expected[9][4] = {
      {"----", "Останов счёта контура", "----", "Останов счёта контура"},
      {"Есть", "Останов счёта контура", "Есть", "Останов счёта контура"},
      {"Есть", "----", "Есть", "----"},
      {"Есть", "----", "Есть", "----"},
      {"----", "----", "----", "----"},
      {"----", "----", "----", "----"},
      {"----", "----", "----", "----"},
      {"----", "----", "----", "----"},
      {"----", "g = 0", "----", "g = 0"},
  };
  const C columns[] = {C::Circuit1Test, C::Circuit1R, C::Circuit2Test, C::Circuit2R};
  for (int row = 0; row < 9; ++row) {
    EXPECT_EQ(table.Text(row, C::Err), U(kCodes[row]));
    for (int col = 0; col < 4; ++col) {
      EXPECT_EQ(table.Text(row, columns[col]), U(expected[row][col]))
          << "row " << kCodes[row] << " column " << col;
    }
  }
}

// Circuit 1 allowed everywhere, circuit 2 nowhere; values chosen per row.
TEST(CircuitsTable, TextsWhenCircuitOneIsAllowed) {
  const TSchemeRecord scheme = SchemeWithTests({0x01, 0x01, 0x01, 0x01, 0x01});
  CircuitsTable table;
  table.Rebuild(&scheme);
  struct Case {
    int row;
    int test, reaction;
    const char* testText;
    const char* reactionText;
  };
  const Case cases[] = {
      {0, 1, 0, "----", "Останов счёта канала"},
      {1, 1, 0, "Есть", "Разрешение счёта масс"},
      {2, 1, 1, "Есть", "Останов счёта контура"},
      {3, 1, 0, "Есть", "Разрешение счёта масс"},
      {kRowA, 0, 1, "Есть", "Коррекция масс"},
      {kRowC, 0, 2, "Есть", "Останов счёта контура"},
      {kRowE, 1, 1, "Нет", "----"},  // the reaction is kept but not shown
      {7, 0, 0, "Есть", "Нет реакции"},
      {kRowJ, 1, 1, "----", "Останов счёта контура"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(kCodes[c.row]);
    table.SetValue(c.row, C::Circuit1Test, c.test);
    table.SetValue(c.row, C::Circuit1R, c.reaction);
    EXPECT_EQ(table.Text(c.row, C::Circuit1Test), U(c.testText));
    EXPECT_EQ(table.Text(c.row, C::Circuit1R), U(c.reactionText));
  }
}

TEST(CircuitsTable, SetterTakesTheFirstEqualEntryOfTheCellsList) {
  const TSchemeRecord scheme = SchemeWithTests({0x11, 0x11, 0x11, 0x11, 0x11});
  CircuitsTable table;
  table.Rebuild(&scheme);
  struct Case {
    int row;
    C column;
    const char* text;
    bool accepted;
    int value;  // the field afterwards
  };
  const Case cases[] = {
      {kRowC, C::Circuit1Test, "Есть", true, 0},
      {kRowC, C::Circuit1R, "Останов счёта контура", true, 2},
      {kRowA, C::Circuit2R, "Останов счёта контура", false, 0},  // not in the A list
      {kRowE, C::Circuit1Test, "Коррекция масс", false, 1},      // a test cell takes the test list
      {1, C::Circuit2R, "Останов счёта контура", true, 1},
      // Test cells of rows without a test choice compare with the reaction list.
      {1, C::Circuit1Test, "Разрешение счёта масс", true, 0},
      {1, C::Circuit2Test, "Нет", false, 1},
      {kRowJ, C::Circuit1R, "Останов счёта контура", true, 1},
      {kRowJ, C::Circuit1R, "останов счёта контура", false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << kCodes[c.row] << " " << int(c.column) << " " << c.text);
    EXPECT_EQ(table.SetText(c.row, c.column, U(c.text)), c.accepted);
    EXPECT_EQ(table.Value(c.row, c.column), c.value);
  }
  const CircuitRow before = table.Row(2);
  EXPECT_FALSE(table.SetText(2, C::Err, U("Z")));
  EXPECT_EQ(table.Row(2), before);
}

TEST(CircuitsTable, ChoosingNoTestHidesTheReaction) {
  const TSchemeRecord scheme = SchemeWithTests({0x01, 0, 0, 0, 0});
  CircuitsTable table;
  table.Rebuild(&scheme);
  ASSERT_TRUE(table.SetText(kRowC, C::Circuit1Test, U("Есть")));
  ASSERT_TRUE(table.SetText(kRowC, C::Circuit1R, U("Коррекция масс")));
  EXPECT_EQ(table.Text(kRowC, C::Circuit1R), U("Коррекция масс"));
  ASSERT_TRUE(table.SetText(kRowC, C::Circuit1Test, U("Нет")));
  EXPECT_EQ(table.Text(kRowC, C::Circuit1R), U("----"));
  EXPECT_EQ(table.Value(kRowC, C::Circuit1R), 1);

  const ConnectionState state = test::StateFor(test::kL12Type);
  InstrumentBuffer buffer = test::Filled(0);
  SettingsImage image(buffer, state);
  table.WriteToImage(image);
  EXPECT_EQ((buffer.bytes[59] >> 2) & 3, 3);  // "C" of circuit 1 at Scheme + 1 = 60
}

TEST(CircuitsTable, PickListsFollowTheAllowedCircuits) {
  const TSchemeRecord scheme = SchemeWithTests({0x10, 0x01, 0x00, 0x11, 0x00});
  CircuitsTable table;
  table.Rebuild(&scheme);
  const QStringList tests{U("Есть"), U("Нет")};
  const QStringList aReactions{U("Нет реакции"), U("Коррекция масс")};
  const QStringList fReactions{U("Нет реакции"), U("Коррекция масс"), U("Останов счёта контура")};
  const QStringList row1{U("Останов счёта канала"), U("Останов счёта контура")};
  const QStringList row3{U("Разрешение счёта масс"), U("Останов счёта контура")};
  const QStringList rowJ{U("g = 0"), U("Останов счёта контура")};
  struct Case {
    int row;
    QStringList c1Test, c1R, c2Test, c2R;
  };
  const Case cases[] = {
      {0, {}, row1, {}, {}},               // "1": second byte 0x01
      {1, {}, {}, {}, {}},                 // "2": third byte 0
      {2, {}, row3, {}, row3},             // "3": fourth byte 0x11
      {kRowA, {}, {}, tests, aReactions},  // "A": first byte 0x10
      {7, tests, fReactions, {}, {}},      // "F": second byte 0x01
      {kRowJ, {}, rowJ, {}, rowJ},         // "J": always
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(kCodes[c.row]);
    EXPECT_EQ(table.PickList(c.row, C::Circuit1Test), c.c1Test);
    EXPECT_EQ(table.PickList(c.row, C::Circuit1R), c.c1R);
    EXPECT_EQ(table.PickList(c.row, C::Circuit2Test), c.c2Test);
    EXPECT_EQ(table.PickList(c.row, C::Circuit2R), c.c2R);
    EXPECT_TRUE(table.PickList(c.row, C::Err).isEmpty());
  }
}

TEST(CircuitsTable, Visibility) {
  for (int index = 1; index <= kTypeCount; ++index) {
    EXPECT_EQ(CircuitsTable::GridVisible(DeviceTypeAt(index)), index >= 23)
        << DeviceTypeAt(index).Name;
  }
  CircuitsTable table;
  const auto schemes = FamilyOf(DeviceTypeAt(test::kL13Type)).Schemes;
  table.Rebuild(&schemes[0]);  // 0x18001017: circuit 1 only
  EXPECT_FALSE(table.Circuit2ColumnsVisible());
  table.Rebuild(&schemes[4]);  // 0x300011D7: both circuits
  EXPECT_TRUE(table.Circuit2ColumnsVisible());
}

// What writing a scheme's default rows and reading them back gives, worked out by hand from the
// scheme's test bytes in the catalogue (shown beside each). Test byte k (1 to 4) governs row "k":
// its bit 0 lets circuit 1 test, bit 4 circuit 2. Rows "1".."4" store 1 where the circuit may not
// test, else the reaction 0; read back, that is the reaction. The option bits are set where the
// third test byte (index 2) does not let the circuit test: bit 5 for circuit 1, bit 6 for
// circuit 2.
struct RoundTripCase {
  int scheme;            // SchemeNumber
  const char* circuit1;  // the reactions of rows "1" to "4"
  const char* circuit2;  // the same of circuit 2; a VRX-L12 keeps its defaults (0)
  uint8_t options;       // bits 5 and 6 of the Options byte
};

const RoundTripCase kL12RoundTrips[] = {
    {1, "1001", "0000", 0x40},  // tests 00 00 01 01 00
    {2, "1001", "0000", 0x40},  // tests 00 00 01 01 00
    {3, "0001", "0000", 0x40},  // tests 01 01 01 01 00
    {4, "0001", "0000", 0x40},  // tests 01 01 01 01 00
    {5, "1110", "0000", 0x60},  // tests 00 00 00 00 01
    {6, "1100", "0000", 0x60},  // tests 01 00 00 01 01
    {7, "1100", "0000", 0x60},  // tests 01 00 00 01 01
};

const RoundTripCase kL13RoundTrips[] = {
    {1, "1001", "1111", 0x40},   // tests 00 00 01 01 00
    {2, "1001", "1111", 0x40},   // tests 00 00 01 01 00
    {3, "0001", "1111", 0x40},   // tests 01 01 01 01 00
    {4, "0001", "1111", 0x40},   // tests 01 01 01 01 00
    {5, "1001", "1110", 0x40},   // tests 00 00 01 01 10
    {6, "1001", "1110", 0x40},   // tests 00 00 01 01 10
    {7, "0001", "1110", 0x40},   // tests 01 01 01 01 10
    {8, "0001", "1110", 0x40},   // tests 01 01 01 01 10
    {9, "1110", "1111", 0x60},   // tests 00 00 00 00 01
    {10, "1110", "1110", 0x60},  // tests 00 00 00 00 11
    {11, "1001", "1001", 0x00},  // tests 00 00 11 11 00
    {12, "1001", "1001", 0x00},  // tests 00 00 11 11 00
    {13, "0001", "0001", 0x00},  // tests 11 11 11 11 00
    {14, "0001", "0001", 0x00},  // tests 11 11 11 11 00
    {15, "1100", "1111", 0x60},  // tests 01 00 00 01 01
    {16, "1100", "1111", 0x60},  // tests 01 00 00 01 01
    {17, "1101", "1110", 0x60},  // tests 01 00 00 01 10
    {18, "1101", "1110", 0x60},  // tests 01 00 00 01 10
    {19, "1101", "1110", 0x60},  // tests 00 00 00 01 10
    {20, "1101", "1110", 0x60},  // tests 00 00 00 01 10
    {21, "1100", "1001", 0x20},  // tests 01 00 10 11 01
    {22, "1100", "1001", 0x20},  // tests 01 00 10 11 01
    {23, "1100", "0001", 0x20},  // tests 11 10 10 11 01
    {24, "1100", "1100", 0x60},  // tests 11 00 00 11 11
    {25, "0001", "1111", 0x40},  // tests 01 01 01 01 00
    {26, "1101", "1111", 0x60},  // tests 00 00 00 01 00
    {27, "1101", "1111", 0x60},  // tests 00 00 00 01 00
    {28, "1100", "1110", 0x60},  // tests 01 00 00 01 11
    {29, "0001", "1100", 0x40},  // tests 11 01 01 11 10
};

// The nine rows of a round trip: rows "1".."4" from the case, the two-bit fields store 3 because
// the default test is "Нет" (read back as test 1 and the reaction limited to the list: 1 for
// "A" and "E", 2 for "C" and "F"), row "J" stores the reaction 0. Circuit 2 of a VRX-L12 stays at
// its defaults.
std::vector<CircuitRow> ExpectedAfterDefaultRoundTrip(const RoundTripCase& c, int circuits) {
  const int16_t limited[] = {1, 2, 1, 2};  // A, C, E, F
  std::vector<CircuitRow> rows;
  for (int row = 0; row < 9; ++row) {
    CircuitRow expected{U(kCodes[row]), 1, 0, 1, 0};
    int16_t* reactions[] = {&expected.Circuit1R, &expected.Circuit2R};
    const char* stored[] = {c.circuit1, c.circuit2};
    for (int circuit = 1; circuit <= circuits; ++circuit) {
      if (row < 4)
        *reactions[circuit - 1] = static_cast<int16_t>(stored[circuit - 1][row] - '0');
      else if (row < 8)
        *reactions[circuit - 1] = limited[row - 4];
    }
    rows.push_back(expected);
  }
  return rows;
}

TEST(CircuitsImage, DefaultRowsRoundTripForEverySchemeOfVrxL12AndL13) {
  for (int type : {test::kL12Type, test::kL13Type}) {
    const TDeviceRecord& device = DeviceTypeAt(type);
    const bool l13 = type == test::kL13Type;
    const std::span<const RoundTripCase> cases =
        l13 ? std::span<const RoundTripCase>(kL13RoundTrips) : kL12RoundTrips;
    const auto schemes = FamilyOf(device).Schemes.first(static_cast<size_t>(device.SchemeCount));
    ASSERT_EQ(schemes.size(), cases.size()) << device.Name;
    for (size_t i = 0; i < cases.size(); ++i) {
      const RoundTripCase& c = cases[i];
      const TSchemeRecord& scheme = schemes[i];
      SCOPED_TRACE(testing::Message() << device.Name << " scheme " << c.scheme);
      ASSERT_EQ(scheme.SchemeNumber, static_cast<uint32_t>(c.scheme));
      const ConnectionState state = test::StateFor(type);
      InstrumentBuffer buffer = test::Filled(0);
      SettingsImage image(buffer, state);
      CircuitsTable written;
      written.Rebuild(&scheme);
      written.WriteToImage(image);

      CircuitsTable read;
      read.Rebuild(&scheme);
      read.ReadFromImage(image);
      EXPECT_EQ(read.Rows(), ExpectedAfterDefaultRoundTrip(c, l13 ? 2 : 1));

      // The option bits and the last channel's threshold bit.
      const SettingsLayout& layout = *state.Layout;
      EXPECT_EQ(buffer.bytes[layout[Options] - 1] & 0x60, c.options);
      const int lastChannel = layout[ChannelBytes] + state.Family->ChannelCount - 1;
      EXPECT_EQ(buffer.bytes[lastChannel - 1], 0x40);
    }
  }
}

// Known image bytes for one VRX-L13 scheme (list D scheme 24, tests 11 00 00 11 11).
TEST(CircuitsImage, KnownBytesOfAVrxL13) {
  const TDeviceRecord& device = DeviceTypeAt(test::kL13Type);
  const TSchemeRecord& scheme = FamilyOf(device).Schemes[23];
  ASSERT_EQ(scheme.CircuitTests, (std::array<uint8_t, 5>{0x11, 0, 0, 0x11, 0x11}));
  CircuitsTable table;
  table.Rebuild(&scheme);
  table.SetValue(kRowA, C::Circuit1Test, 0);
  table.SetValue(kRowA, C::Circuit1R, 1);
  table.SetValue(kRowC, C::Circuit2Test, 0);
  table.SetValue(kRowC, C::Circuit2R, 2);
  table.SetValue(kRowE, C::Circuit1Test, 0);  // not allowed: stored as 3 anyway
  table.SetValue(3, C::Circuit2R, 1);         // "4", circuit 2
  table.SetValue(kRowJ, C::Circuit2R, 1);
  const ConnectionState state = test::StateFor(test::kL13Type);
  InstrumentBuffer buffer = test::Filled(0);
  SettingsImage image(buffer, state);
  table.WriteToImage(image);
  // Scheme + 1 (89): A=1, C=3, E=3, F=3; Scheme + 2 (90): A=3, C=2, E=3, F=3.
  EXPECT_EQ(buffer.bytes[88], 0xFD);
  EXPECT_EQ(buffer.bytes[89], 0xFB);
  // CircuitBits (91): circuit 1 rows 1, 2 not allowed (bits 3, 2), rows 3, 4 reaction 0;
  // circuit 2 rows 1, 2 not allowed (bits 7, 6), row 3 reaction 0, row 4 reaction 1 (bit 4).
  EXPECT_EQ(buffer.bytes[90], 0xDC);
  // Channel 5 at 86: bit 6, "J" circuit 2 (bit 5).
  EXPECT_EQ(buffer.bytes[85], 0x60);
  // Options (87): bits 5 and 6 set, the third test byte being 0.
  EXPECT_EQ(buffer.bytes[86], 0x60);
}

TEST(CircuitsImage, CircuitTwoOfAVrxL12IsNeitherReadNorWritten) {
  const TSchemeRecord everything = SchemeWithTests({0x11, 0x11, 0x11, 0x11, 0x11});
  for (uint8_t fill : {uint8_t{0x00}, uint8_t{0xFF}, uint8_t{0xA5}}) {
    SCOPED_TRACE(int(fill));
    const ConnectionState state = test::StateFor(test::kL12Type);
    InstrumentBuffer buffer = test::Filled(fill);
    const InstrumentBuffer before = buffer;
    SettingsImage image(buffer, state);
    CircuitsTable table;
    table.Rebuild(&everything);
    for (int row = 0; row < 9; ++row) {
      table.SetValue(row, C::Circuit2Test, row % 2);
      table.SetValue(row, C::Circuit2R, 1 - row % 2);
    }
    table.WriteToImage(image);
    // Only circuit 1's bits changed: Scheme + 1 (60) whole, CircuitBits (61) bits 0..3, the
    // last channel (57) bits 4 and 6, Options (58) bits 5 and 6.
    const std::map<int, uint8_t> writable = {{60, 0xFF}, {61, 0x0F}, {57, 0x50}, {58, 0x60}};
    for (int p = 1; p <= InstrumentBuffer::kSize; ++p) {
      const auto it = writable.find(p);
      const uint8_t mask = it == writable.end() ? 0 : it->second;
      ASSERT_EQ(buffer.bytes[p - 1] & ~mask, before.bytes[p - 1] & ~mask) << "position " << p;
    }
    // Reading leaves the circuit-2 fields as they are.
    const std::vector<CircuitRow> rowsBefore = table.Rows();
    table.ReadFromImage(image);
    for (int row = 0; row < 9; ++row) {
      EXPECT_EQ(table.Row(row).Circuit2Test, rowsBefore[row].Circuit2Test);
      EXPECT_EQ(table.Row(row).Circuit2R, rowsBefore[row].Circuit2R);
    }
  }
}

}  // namespace
}  // namespace vrx
