#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/Catalogue.h"
#include "model/Errors.h"

namespace vrx {

void PrintTo(const TSchemeRecord& s, std::ostream* os) {
  *os << "{pic " << s.PictureNumber << ", no " << s.SchemeNumber << ", code " << s.DeviceCode
      << ", flags 0x" << std::hex << s.Flags << ", rules 0x" << s.PairRule1 << "/0x" << s.PairRule2
      << std::dec << ", tpair " << int(s.TempPairChannel) << ", c1 0x" << std::hex
      << int(s.Circuit1Channels) << ", c2 0x" << int(s.Circuit2Channels) << ", tests";
  for (uint8_t t : s.CircuitTests) {
    *os << ' ' << int(t);
  }
  *os << std::dec << '}';
}

namespace {

const char* const kUnsupported = "Неподдерживаемая версия прибора";
const char* const kBadScheme =
    "Неправильный номер схемы теплопотребления. Прибор не проинициализирован.";

template <typename F>
std::string OwnedMessage(F&& f) {
  try {
    f();
  } catch (const EOwned& e) {
    return e.what();
  }
  return "<no error>";
}

int IndexOf(const TFamilyRecord& family) {
  return static_cast<int>(&family - Families().data()) + 1;
}

// No two rows share a code and a version byte (the VRX-L3 and VRX-L5 rows share code 5 but not
// a single version byte), so every lookup lands on the row itself, never on an earlier one.
TEST(TypeLookup, EveryRowIsFoundByItsCodeAndEachVersionByte) {
  for (int i = 1; i <= kTypeCount; ++i) {
    const TDeviceRecord& row = DeviceTypeAt(i);
    for (uint8_t version : row.VersionCodes) {
      EXPECT_EQ(TypeLookup(row.Code, version), i)
          << row.Name << " version 0x" << std::hex << int(version);
    }
  }
}

TEST(TypeLookup, UnknownCombinationsRaise) {
  struct {
    uint8_t code;
    uint8_t version;
  } const cases[] = {
      {5, 0xC0},  // no VRX-L3 or VRX-L5 version
      {4, 0xFF},  // VRX-L2 never sends 255
      {0, 0xF8},  // a VRX-L1 row matches only the 255 that identification sets
      {8, 0xE3},  // a VRX-L2 version byte under the VRX-L12 code
      {7, 0xA3},  // a VRX-L5 version byte under the VRX-L13 code
      {6, 0xF8}, {9, 0xFF},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OwnedMessage([&] { TypeLookup(c.code, c.version); }), kUnsupported)
        << "code " << int(c.code) << " version 0x" << std::hex << int(c.version);
  }
}

TEST(TypeLookup, SharedCodeIsToldApartByVersion) {
  EXPECT_STREQ(DeviceTypeAt(TypeLookup(5, 0xA7)).Name, "VRX-L5-1.1");
  EXPECT_STREQ(DeviceTypeAt(TypeLookup(5, 0xE7)).Name, "VRX-L3-1.1");
  EXPECT_STREQ(DeviceTypeAt(TypeLookup(8, 0xF8)).Name, "VRX-L12-1.0");
  EXPECT_STREQ(DeviceTypeAt(TypeLookup(7, 0xF8)).Name, "VRX-L13-1.0");
}

TEST(FamilyLookup, EveryCode) {
  const std::map<int, int> expected = {{0, 1}, {2, 2}, {1, 3}, {3, 4},
                                       {4, 5}, {5, 6}, {8, 7}, {7, 8}};
  for (int code = 0; code <= 255; ++code) {
    auto it = expected.find(code);
    if (it != expected.end()) {
      EXPECT_EQ(FamilyLookup(static_cast<uint8_t>(code)), it->second) << "code " << code;
    } else {
      EXPECT_EQ(OwnedMessage([&] { FamilyLookup(static_cast<uint8_t>(code)); }), kUnsupported)
          << "code " << code;
    }
  }
}

TEST(Catalogue, IndexesOutOfRangeThrow) {
  EXPECT_THROW(FamilyAt(0), std::out_of_range);
  EXPECT_THROW(FamilyAt(9), std::out_of_range);
  EXPECT_THROW(DeviceTypeAt(0), std::out_of_range);
  EXPECT_THROW(DeviceTypeAt(35), std::out_of_range);
  EXPECT_EQ(&FamilyAt(8), &Families()[7]);
  EXPECT_EQ(&DeviceTypeAt(34), &DeviceTypes()[33]);
}

TEST(Catalogue, FamilyRows) {
  struct {
    uint8_t code;
    bool l1, l3;
    int channels;
    uint32_t allFlags;
    size_t schemes;
    int blockLength;
  } const rows[] = {
      {0, true, false, 4, 0x10000E3F, 8, 81},  {2, true, false, 4, 0x10000E3F, 8, 81},
      {1, true, false, 4, 0x30000FFF, 32, 81}, {3, true, false, 4, 0x30000FFF, 32, 81},
      {4, false, false, 3, 0x1000005F, 7, 57}, {5, false, true, 5, 0x300017DF, 29, 99},
      {8, false, false, 3, 0x1000005F, 7, 67}, {7, false, true, 5, 0x300017DF, 29, 112},
  };
  for (int i = 1; i <= kFamilyCount; ++i) {
    const auto& e = rows[i - 1];
    const TFamilyRecord& f = FamilyAt(i);
    SCOPED_TRACE("family " + std::to_string(i));
    EXPECT_EQ(f.Code, e.code);
    EXPECT_EQ(f.IsL1Family, e.l1);
    EXPECT_EQ(f.IsL3Family, e.l3);
    EXPECT_EQ(f.ChannelCount, e.channels);
    EXPECT_EQ(f.AllChannelFlags, e.allFlags);
    EXPECT_EQ(f.Schemes.size(), e.schemes);
    ASSERT_NE(f.CurrentLayout, nullptr);
    EXPECT_EQ((*f.CurrentLayout)[BlockLength], e.blockLength);
  }
  // Families sharing a list share the very same rows.
  EXPECT_EQ(FamilyAt(1).Schemes.data(), FamilyAt(2).Schemes.data());
  EXPECT_EQ(FamilyAt(3).Schemes.data(), FamilyAt(4).Schemes.data());
  EXPECT_EQ(FamilyAt(5).Schemes.data(), FamilyAt(7).Schemes.data());
  EXPECT_EQ(FamilyAt(6).Schemes.data(), FamilyAt(8).Schemes.data());
  EXPECT_EQ(FamilyAt(1).CurrentLayout, FamilyAt(4).CurrentLayout);
}

TEST(Catalogue, TypeRows) {
  // Per model group: name, first and last index, code, sum of all version bytes, scheme count,
  // settings image length, IsL3Type, IsL5, family index of FamilyOf. The six rows of a model run
  // through versions 1.0, 1.1, 1.2, 2.0, 2.1, 2.2.
  struct {
    const char* name;
    int first, last, code, versionSum, schemes, length;
    bool l3, l5;
    int family;
  } const groups[] = {
      {"VRX-L1-1.1", 1, 1, 0, 765, 8, 91, false, false, 1},
      {"VRX-L1-1.2", 2, 2, 2, 765, 8, 91, false, false, 2},
      {"VRX-L1-2.1", 3, 3, 1, 765, 32, 91, false, false, 3},
      {"VRX-L1-2.2", 4, 4, 3, 765, 32, 91, false, false, 4},
      {"VRX-L2", 5, 10, 4, 4446, 7, 57, false, false, 5},
      {"VRX-L3", 11, 16, 5, 3798, 27, 90, true, false, 6},
      {"VRX-L5", 17, 22, 5, 3342, 28, 97, true, true, 6},
      {"VRX-L12", 23, 28, 8, 4518, 7, 64, false, false, 7},
      {"VRX-L13", 29, 34, 7, 4518, 29, 100, true, false, 8},
  };
  for (const auto& g : groups) {
    int versionSum = 0;
    for (int i = g.first; i <= g.last; ++i) {
      const TDeviceRecord& t = DeviceTypeAt(i);
      SCOPED_TRACE(t.Name);
      EXPECT_EQ(t.Code, g.code);
      versionSum += t.VersionCodes[0] + t.VersionCodes[1] + t.VersionCodes[2];
      EXPECT_EQ(t.SchemeCount, g.schemes);
      EXPECT_EQ((*t.Layout)[Length], g.length);
      EXPECT_EQ(t.IsL3Type, g.l3);
      EXPECT_EQ(t.IsL5, g.l5);
      EXPECT_EQ(IndexOf(FamilyOf(t)), g.family);
      EXPECT_LE(static_cast<size_t>(t.SchemeCount), FamilyOf(t).Schemes.size());
      if (g.first == g.last) {  // VRX-L1: revision 1, minor version 0 throughout
        EXPECT_STREQ(t.Name, g.name);
        EXPECT_EQ(t.HwRevision, 1);
        EXPECT_EQ(t.MinorVersion, 0);
      } else {
        const int k = i - g.first;
        EXPECT_EQ(std::string(t.Name), std::string(g.name) + "-" + std::to_string(1 + k / 3) + "." +
                                           std::to_string(k % 3));
        EXPECT_EQ(t.HwRevision, k / 3);
        EXPECT_EQ(t.MinorVersion, k % 3);
      }
    }
    EXPECT_EQ(versionSum, g.versionSum) << "types " << g.first << ".." << g.last;
  }
}

TEST(Catalogue, SchemeListsAgainstTheirSums) {
  // Column sums of each list: pictures, device codes, flags, both pair rules, temperature pair
  // plus both circuits, all circuit-test bytes.
  struct {
    int family;
    size_t count;
    uint32_t pictures, codes;
    uint64_t flags;
    uint32_t rules, channels, tests;
  } const lists[] = {
      {1, 8, 88, 80, 0xA00070F7, 0x436, 0x1B, 0x0},
      {3, 32, 528, 496, 0x85001A663, 0x18A9, 0x167, 0x0},
      {5, 7, 71, 21, 0x94000278, 0x824, 0x2B, 0x13},
      {6, 29, 537, 406, 0x49E022826, 0x3D2F, 0x165, 0x28B},
  };
  for (const auto& l : lists) {
    const auto schemes = FamilyAt(l.family).Schemes;
    SCOPED_TRACE("family " + std::to_string(l.family));
    ASSERT_EQ(schemes.size(), l.count);
    uint32_t pictures = 0, codes = 0, rules = 0, channels = 0, tests = 0;
    uint64_t flags = 0;
    for (const TSchemeRecord& s : schemes) {
      pictures += s.PictureNumber;
      codes += s.DeviceCode;
      flags += s.Flags;
      rules += s.PairRule1 + s.PairRule2;
      channels += s.TempPairChannel + s.Circuit1Channels + s.Circuit2Channels;
      tests += std::accumulate(s.CircuitTests.begin(), s.CircuitTests.end(), 0u);
    }
    EXPECT_EQ(pictures, l.pictures);
    EXPECT_EQ(codes, l.codes);
    EXPECT_EQ(flags, l.flags);
    EXPECT_EQ(rules, l.rules);
    EXPECT_EQ(channels, l.channels);
    EXPECT_EQ(tests, l.tests);
  }
}

TEST(Catalogue, SchemeNumbering) {
  // Lists B, C and D number their schemes 1.. with device code one less; list B also uses the
  // scheme number as picture number.
  for (int family : {3, 5, 6}) {
    const auto schemes = FamilyAt(family).Schemes;
    for (size_t i = 0; i < schemes.size(); ++i) {
      EXPECT_EQ(schemes[i].SchemeNumber, i + 1) << "family " << family;
      EXPECT_EQ(schemes[i].DeviceCode, i) << "family " << family;
      if (family == 3) {
        EXPECT_EQ(schemes[i].PictureNumber, i + 1);
      }
    }
  }
}

TEST(Catalogue, SelectedSchemeRows) {
  struct {
    int family;
    int position;
    TSchemeRecord row;
  } const cases[] = {
      {1, 6, {17, 17, 16, 0x10000E3F, 0x0212, 0, 0, 0x12, 0, {0, 0, 0, 0, 0}}},
      {1, 8, {21, 21, 20, 0x10000E1F, 0x0112, 0, 0, 0x01, 0, {0, 0, 0, 0, 0}}},
      {3, 1, {1, 1, 0, 0xC8000FFF, 0, 0, 0, 0, 0, {0, 0, 0, 0, 0}}},
      {3, 19, {19, 19, 18, 0x70000FFF, 0x0212, 0x0234, 0, 0x12, 0x34, {0, 0, 0, 0, 0}}},
      {3, 29, {29, 29, 28, 0x700007DF, 0x0112, 0x0134, 0, 0x01, 0x03, {0, 0, 0, 0, 0}}},
      {3, 32, {32, 32, 31, 0x18000EDE, 0x0223, 0, 1, 0x23, 0, {0, 0, 0, 0, 0}}},
      {5, 5, {16, 5, 4, 0x10000047, 0, 0, 0, 0x01, 0, {0x00, 0x00, 0x00, 0x00, 0x01}}},
      {5, 7, {21, 7, 6, 0x1200005F, 0x0412, 0, 0, 0x12, 0, {0x01, 0x00, 0x00, 0x01, 0x01}}},
      {6, 10, {18, 10, 9, 0x300011C7, 0, 0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x11}}},
      {6, 23, {28, 23, 22, 0x320017DF, 0x0412, 0, 0, 0x12, 0x03, {0x11, 0x10, 0x10, 0x11, 0x01}}},
      {6,
       24,
       {29, 24, 23, 0x360017DF, 0x0412, 0x0434, 0, 0x12, 0x34, {0x11, 0x00, 0x00, 0x11, 0x11}}},
      {6, 27, {32, 27, 26, 0x180010DE, 0x0823, 0, 1, 0x23, 0, {0x00, 0x00, 0x00, 0x01, 0x00}}},
      {6, 29, {34, 29, 28, 0x340017DF, 0, 0x0434, 0, 0x03, 0x12, {0x11, 0x01, 0x01, 0x11, 0x10}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FamilyAt(c.family).Schemes[c.position - 1], c.row)
        << "family " << c.family << " scheme " << c.position;
  }
}

TEST(Catalogue, SettingsLayouts) {
  // One type of each layout A..F, the column sum and a few cells.
  struct {
    int type;
    int length, sum;
    std::vector<std::pair<SettingsField, int>> cells;
  } const layouts[] = {
      {1, 91, 847, {{Tp5, 1}, {RtcCorrection, 91}, {Gmin, 0}, {Tp4, 38}, {InitTime, 12}}},
      {5, 57, 728, {{DevNo, 42}, {Tp3, 0}, {Tp5, 56}, {CounterRegion1Length, 29}}},
      {11, 90, 1185, {{Scheme, 86}, {GminDigits, 0}, {Tp5, 87}}},
      {17, 97, 1398, {{GminDigits, 93}, {GminExponents, 97}, {Tcw, 78}}},
      {23, 64, 947, {{CircuitBits, 61}, {Tp5, 10}, {G1, 21}, {CounterRegion2Length, 2}}},
      {29, 100, 1501, {{CircuitBits, 91}, {GminDigits, 96}, {Tp5, 92}}},
  };
  for (const auto& l : layouts) {
    const SettingsLayout& layout = *DeviceTypeAt(l.type).Layout;
    SCOPED_TRACE(DeviceTypeAt(l.type).Name);
    EXPECT_EQ(layout[Length], l.length);
    EXPECT_EQ(std::accumulate(layout.begin(), layout.end(), 0), l.sum);
    for (const auto& [field, position] : l.cells) {
      EXPECT_EQ(layout[field], position) << "entry " << field;
    }
    for (size_t i = 1; i < layout.size(); ++i) {
      EXPECT_LE(layout[i], l.length) << "entry " << i << " lies outside the image";
    }
  }
}

TEST(Catalogue, CurrentParamsLayouts) {
  struct {
    uint8_t familyCode;
    int length, sum;
    std::vector<std::pair<CurrentField, int>> cells;
  } const layouts[] = {
      {0, 81, 410, {{SerialNumber, 8}, {PressureRangeNibbles, 0}, {OperatingTime4, 40}}},
      {4, 57, 557, {{FirmwareVersion, 57}, {OperatingTime3, 0}, {ColdWaterTemperature, 56}}},
      {5, 99, 1128, {{OperatingTime5, 100}, {TemperatureWords, 86}, {SchemeCode, 29}}},
      {8, 67, 696, {{FlowRatioErrorByte, 13}, {OperatingTime3, 25}, {Volume, 36}}},
      {7, 112, 1247, {{FirmwareVersion, 108}, {OperatingTime5, 109}, {FlowRatioErrorByte, 24}}},
  };
  for (const auto& l : layouts) {
    const CurrentParamsLayout& layout = *FamilyAt(FamilyLookup(l.familyCode)).CurrentLayout;
    SCOPED_TRACE("family code " + std::to_string(l.familyCode));
    EXPECT_EQ(layout[BlockLength], l.length);
    EXPECT_EQ(std::accumulate(layout.begin(), layout.end(), 0), l.sum);
    for (const auto& [field, position] : l.cells) {
      EXPECT_EQ(layout[field], position) << "entry " << field;
    }
  }
}

TEST(SchemeLookup, EveryOfferedSchemeIsFoundAtItsPosition) {
  for (const TDeviceRecord& type : DeviceTypes()) {
    const TFamilyRecord& family = FamilyOf(type);
    for (int pos = 1; pos <= type.SchemeCount; ++pos) {
      const auto code = static_cast<uint8_t>(family.Schemes[pos - 1].DeviceCode);
      EXPECT_EQ(SchemeLookup(family, type, code), pos) << type.Name << " scheme " << pos;
    }
  }
}

TEST(SchemeLookup, CodesOutsideTheOfferedPartRaise) {
  struct {
    int type;
    uint8_t code;
    int expected;  // 0: raises
  } const cases[] = {
      {1, 0, 0},   {1, 1, 1},    {1, 15, 5},  {1, 20, 8},   {1, 5, 0},   {1, 21, 0},   {3, 0, 1},
      {3, 31, 32}, {3, 32, 0},   {5, 6, 7},   {5, 7, 0},    {23, 6, 7},  {11, 26, 27}, {11, 27, 0},
      {11, 28, 0}, {17, 27, 28}, {17, 28, 0}, {29, 28, 29}, {29, 29, 0}, {29, 255, 0},
  };
  for (const auto& c : cases) {
    const TDeviceRecord& type = DeviceTypeAt(c.type);
    const TFamilyRecord& family = FamilyOf(type);
    if (c.expected != 0) {
      EXPECT_EQ(SchemeLookup(family, type, c.code), c.expected) << type.Name << " " << int(c.code);
    } else {
      EXPECT_EQ(OwnedMessage([&] { SchemeLookup(family, type, c.code); }), kBadScheme)
          << type.Name << " " << int(c.code);
    }
  }
}

TEST(SchemeList, FVariantsOfVrxL5) {
  // List D schemes with an F variant among the 28 a VRX-L5 offers.
  const std::vector<int> withF = {15, 16, 21, 22, 23, 24, 28};
  const auto schemes = FamilyAt(6).Schemes;
  for (int i = 1; i <= 29; ++i) {
    const bool expected = i == 29 || std::find(withF.begin(), withF.end(), i) != withF.end();
    EXPECT_EQ(HasFVariant(schemes[i - 1]), expected) << "scheme " << i;
  }

  for (int t = 17; t <= 22; ++t) {
    const TDeviceRecord& type = DeviceTypeAt(t);
    SCOPED_TRACE(type.Name);
    // Walk the whole list: every position maps to a scheme entry that maps back to it.
    const int listLength = type.SchemeCount + static_cast<int>(withF.size());
    int expectedScheme = 0;
    for (int pos = 1; pos <= listLength; ++pos) {
      const auto [scheme, f] = ListPositionToScheme(type, pos);
      EXPECT_EQ(SchemeToListPosition(type, f, scheme), pos);
      if (!f) {
        EXPECT_EQ(scheme, ++expectedScheme) << "position " << pos;
      } else {
        EXPECT_EQ(scheme, expectedScheme) << "F entry at " << pos << " follows its scheme";
        EXPECT_EQ(SchemeToListPosition(type, false, scheme) + 1, pos);
      }
    }
    EXPECT_EQ(expectedScheme, type.SchemeCount);
    EXPECT_EQ(SchemeToListPosition(type, true, 28), listLength);

    // Known positions: schemes 1..14 keep theirs, scheme 15 is at 15 and its F at 16.
    EXPECT_EQ(SchemeToListPosition(type, false, 14), 14);
    EXPECT_EQ(SchemeToListPosition(type, false, 15), 15);
    EXPECT_EQ(SchemeToListPosition(type, true, 15), 16);
    EXPECT_EQ(SchemeToListPosition(type, false, 17), 19);
    EXPECT_EQ(ListPositionToScheme(type, 16), std::make_pair(15, true));
    EXPECT_EQ(ListPositionToScheme(type, 19), std::make_pair(17, false));
    EXPECT_EQ(ListPositionToScheme(type, 35), std::make_pair(28, true));
    // The F flag asks for nothing on a scheme without a variant.
    EXPECT_EQ(SchemeToListPosition(type, true, 14), 14);
  }
}

TEST(SchemeList, IdentityForOtherTypes) {
  // VRX-L13 (list D, schemes with F flags) and VRX-L2 (list C) have no F entries.
  for (int t : {1, 3, 5, 11, 23, 29, 34}) {
    const TDeviceRecord& type = DeviceTypeAt(t);
    for (int pos = 1; pos <= type.SchemeCount; ++pos) {
      EXPECT_EQ(SchemeToListPosition(type, false, pos), pos) << type.Name;
      EXPECT_EQ(SchemeToListPosition(type, true, pos), pos) << type.Name;
      EXPECT_EQ(ListPositionToScheme(type, pos), std::make_pair(pos, false)) << type.Name;
    }
  }
}

}  // namespace
}  // namespace vrx
