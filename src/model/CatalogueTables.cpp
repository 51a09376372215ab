// The constant catalogue: families, type rows, measuring-scheme lists, settings layouts and
// current-parameter layouts. Indexes in the comments are the 1-based catalogue indexes.

#include "model/CatalogueTables.h"

namespace vrx {
namespace {

// Scheme rows: picture, scheme number, device code, flags, pair rule 1, pair rule 2,
// temperature pair channel, circuit 1 channels, circuit 2 channels, circuit tests.

// clang-format off

// VRX-L1 versions 1.x (families 1 and 2).
constexpr TSchemeRecord kSchemesA[] = {
    { 2,  2,  1, 0x18000E17,      0, 0, 0, 0x01, 0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 3,  3,  2, 0x18000E1E,      0, 0, 0, 0x02, 0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 4,  4,  3, 0x18000E1F,      0, 0, 0, 0x01, 0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 5,  5,  4, 0x18000E1F,      0, 0, 0, 0x02, 0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {16, 16, 15, 0x10000E07,      0, 0, 0, 0x01, 0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {17, 17, 16, 0x10000E3F, 0x0212, 0, 0, 0x12, 0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {20, 20, 19, 0x10000E1F, 0x0112, 0, 0, 0x01, 0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {21, 21, 20, 0x10000E1F, 0x0112, 0, 0, 0x01, 0, {0x00, 0x00, 0x00, 0x00, 0x00}},
};

// VRX-L1 versions 2.x (families 3 and 4).
constexpr TSchemeRecord kSchemesB[] = {
    { 1,  1,  0, 0xC8000FFF,      0,      0, 0,    0,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 2,  2,  1, 0x18000E17,      0,      0, 0, 0x01,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 3,  3,  2, 0x18000E1E,      0,      0, 0, 0x02,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 4,  4,  3, 0x18000E1F,      0,      0, 0, 0x01,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 5,  5,  4, 0x18000E1F,      0,      0, 0, 0x02,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 6,  6,  5, 0x30000FD7,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 7,  7,  6, 0x30000FDE,      0,      0, 0, 0x02, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 8,  8,  7, 0x30000FDF,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    { 9,  9,  8, 0x30000FDF,      0,      0, 0, 0x02, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {10, 10,  9, 0x70000FDF, 0x0234,      0, 0, 0x01, 0x34, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {11, 11, 10, 0x70000FDF, 0x0234,      0, 0, 0x02, 0x34, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {12, 12, 11, 0x780005D7,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {13, 13, 12, 0x7800079E,      0,      0, 0, 0x02, 0x04, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {14, 14, 13, 0x780007DF,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {15, 15, 14, 0x780007DF,      0,      0, 0, 0x02, 0x04, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {16, 16, 15, 0x10000E07,      0,      0, 0, 0x01,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {17, 17, 16, 0x10000E3F, 0x0212,      0, 0, 0x12,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {18, 18, 17, 0x30000FC7,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {19, 19, 18, 0x70000FFF, 0x0212, 0x0234, 0, 0x12, 0x34, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {20, 20, 19, 0x10000E1F, 0x0112,      0, 0, 0x01,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {21, 21, 20, 0x10000E1F, 0x0112,      0, 0, 0x01,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {22, 22, 21, 0x30000FDF,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {23, 23, 22, 0x30000FDF,      0,      0, 0, 0x02, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {24, 24, 23, 0x30000FD7,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {25, 25, 24, 0x30000FDE,      0,      0, 0, 0x02, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {26, 26, 25, 0x700005DF, 0x0112,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {27, 27, 26, 0x7000079F, 0x0112,      0, 0, 0x01, 0x04, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {28, 28, 27, 0x700007DF, 0x0112,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {29, 29, 28, 0x700007DF, 0x0112, 0x0134, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {30, 30, 29, 0x18000EDF, 0x0213,      0, 2, 0x13,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {31, 31, 30, 0x18000ED7, 0x0213,      0, 2, 0x13,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
    {32, 32, 31, 0x18000EDE, 0x0223,      0, 1, 0x23,    0, {0x00, 0x00, 0x00, 0x00, 0x00}},
};

// VRX-L2 and VRX-L12 (families 5 and 7).
constexpr TSchemeRecord kSchemesC[] = {
    { 2, 1, 0, 0x18000057,      0, 0, 0, 0x01, 0, {0x00, 0x00, 0x01, 0x01, 0x00}},
    { 3, 2, 1, 0x1800005E,      0, 0, 0, 0x02, 0, {0x00, 0x00, 0x01, 0x01, 0x00}},
    { 4, 3, 2, 0x1800005F,      0, 0, 0, 0x01, 0, {0x01, 0x01, 0x01, 0x01, 0x00}},
    { 5, 4, 3, 0x1800005F,      0, 0, 0, 0x02, 0, {0x01, 0x01, 0x01, 0x01, 0x00}},
    {16, 5, 4, 0x10000047,      0, 0, 0, 0x01, 0, {0x00, 0x00, 0x00, 0x00, 0x01}},
    {20, 6, 5, 0x1200005F, 0x0412, 0, 0, 0x12, 0, {0x01, 0x00, 0x00, 0x01, 0x01}},
    {21, 7, 6, 0x1200005F, 0x0412, 0, 0, 0x12, 0, {0x01, 0x00, 0x00, 0x01, 0x01}},
};

// VRX-L3, VRX-L5 and VRX-L13 (families 6 and 8). VRX-L3 offers the first 27 rows, VRX-L5 the
// first 28, VRX-L13 all of them.
constexpr TSchemeRecord kSchemesD[] = {
    { 2,  1,  0, 0x18001017,      0,      0, 0, 0x01,    0, {0x00, 0x00, 0x01, 0x01, 0x00}},
    { 3,  2,  1, 0x1800101E,      0,      0, 0, 0x02,    0, {0x00, 0x00, 0x01, 0x01, 0x00}},
    { 4,  3,  2, 0x1800101F,      0,      0, 0, 0x01,    0, {0x01, 0x01, 0x01, 0x01, 0x00}},
    { 5,  4,  3, 0x1800101F,      0,      0, 0, 0x02,    0, {0x01, 0x01, 0x01, 0x01, 0x00}},
    { 6,  5,  4, 0x300011D7,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x01, 0x01, 0x10}},
    { 7,  6,  5, 0x300011DE,      0,      0, 0, 0x02, 0x03, {0x00, 0x00, 0x01, 0x01, 0x10}},
    { 8,  7,  6, 0x300011DF,      0,      0, 0, 0x01, 0x03, {0x01, 0x01, 0x01, 0x01, 0x10}},
    { 9,  8,  7, 0x300011DF,      0,      0, 0, 0x02, 0x03, {0x01, 0x01, 0x01, 0x01, 0x10}},
    {16,  9,  8, 0x10001007,      0,      0, 0, 0x01,    0, {0x00, 0x00, 0x00, 0x00, 0x01}},
    {18, 10,  9, 0x300011C7,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x00, 0x11}},
    {12, 11, 10, 0x380015D7,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x11, 0x11, 0x00}},
    {13, 12, 11, 0x3800179E,      0,      0, 0, 0x02, 0x04, {0x00, 0x00, 0x11, 0x11, 0x00}},
    {14, 13, 12, 0x380017DF,      0,      0, 0, 0x01, 0x03, {0x11, 0x11, 0x11, 0x11, 0x00}},
    {15, 14, 13, 0x380017DF,      0,      0, 0, 0x02, 0x04, {0x11, 0x11, 0x11, 0x11, 0x00}},
    {20, 15, 14, 0x1200101F, 0x0412,      0, 0, 0x12,    0, {0x01, 0x00, 0x00, 0x01, 0x01}},
    {21, 16, 15, 0x1200101F, 0x0412,      0, 0, 0x12,    0, {0x01, 0x00, 0x00, 0x01, 0x01}},
    {22, 17, 16, 0x300011DF,      0,      0, 0, 0x01, 0x03, {0x01, 0x00, 0x00, 0x01, 0x10}},
    {23, 18, 17, 0x300011DF,      0,      0, 0, 0x02, 0x03, {0x01, 0x00, 0x00, 0x01, 0x10}},
    {24, 19, 18, 0x300011D7,      0,      0, 0, 0x01, 0x03, {0x00, 0x00, 0x00, 0x01, 0x10}},
    {25, 20, 19, 0x300011DE,      0,      0, 0, 0x02, 0x03, {0x00, 0x00, 0x00, 0x01, 0x10}},
    {26, 21, 20, 0x320015DF, 0x0412,      0, 0, 0x12, 0x03, {0x01, 0x00, 0x10, 0x11, 0x01}},
    {27, 22, 21, 0x3200179F, 0x0412,      0, 0, 0x12, 0x04, {0x01, 0x00, 0x10, 0x11, 0x01}},
    {28, 23, 22, 0x320017DF, 0x0412,      0, 0, 0x12, 0x03, {0x11, 0x10, 0x10, 0x11, 0x01}},
    {29, 24, 23, 0x360017DF, 0x0412, 0x0434, 0, 0x12, 0x34, {0x11, 0x00, 0x00, 0x11, 0x11}},
    {30, 25, 24, 0x180010DF, 0x0813,      0, 2, 0x13,    0, {0x01, 0x01, 0x01, 0x01, 0x00}},
    {31, 26, 25, 0x180010D7, 0x0813,      0, 2, 0x13,    0, {0x00, 0x00, 0x00, 0x01, 0x00}},
    {32, 27, 26, 0x180010DE, 0x0823,      0, 1, 0x23,    0, {0x00, 0x00, 0x00, 0x01, 0x00}},
    {33, 28, 27, 0x320011DF, 0x0412,      0, 0, 0x12, 0x03, {0x01, 0x00, 0x00, 0x01, 0x11}},
    {34, 29, 28, 0x340017DF,      0, 0x0434, 0, 0x03, 0x12, {0x11, 0x01, 0x01, 0x11, 0x10}},
};

// Settings layouts A to F, one column each; row r is entry r of every layout.
constexpr uint8_t kSettingsLayoutColumns[26][6] = {
    // A  B   C   D   E    F
    {91, 57, 90, 97, 64, 100},  // Length
    {18, 42, 71, 71, 46,  71},  // DevNo
    {20, 41, 70, 70, 45,  70},  // DevAddr
    {21, 55, 86, 88, 59,  88},  // Scheme
    {17, 51, 80, 82, 55,  82},  // ChannelBytes
    {80, 54, 85, 87, 58,  87},  // Options
    {81, 37, 62, 62, 41,  62},  // TempPresets
    {22, 35, 58, 58, 39,  58},  // PressurePresets
    { 9, 45, 76, 78, 51,  78},  // Tcw
    {11, 44, 75, 77, 50,  77},  // TcwPressure
    { 0,  0,  0,  0, 61,  91},  // CircuitBits
    {26,  6,  6,  6,  6,   6},  // Tp1
    {30,  0,  0,  0,  0,   0},  // Tp2
    {34,  0, 10, 10, 10,  10},  // Tp3
    {38,  0,  0,  0,  0,   0},  // Tp4
    {42, 10, 14, 14, 14,  14},  // Q1
    {56, 17, 28, 28, 21,  28},  // G1
    { 0, 47, 73, 73, 48,  73},  // Gmin
    { 0,  0,  0, 93, 62,  96},  // GminDigits
    { 0,  0,  0, 97, 64, 100},  // GminExponents
    {89, 50, 79, 81, 54,  81},  // Months
    {12,  1,  1,  1,  1,   1},  // InitTime
    {91, 49, 78, 80, 53,  80},  // RtcCorrection
    { 1, 56, 87, 89, 10,  92},  // Tp5
    {54, 29, 52, 52, 33,  52},  // CounterRegion1Length
    { 4,  2,  4,  4,  2,   4},  // CounterRegion2Length
};

// Current-parameter layouts, one column each; row r is entry r of every layout.
// Columns: VRX-L1 (family codes 0-3), VRX-L2 (4), VRX-L3/VRX-L5 (5), VRX-L12 (8), VRX-L13 (7).
constexpr uint8_t kCurrentLayoutColumns[23][5] = {
    {81, 57,  99, 67, 112},  // blockLength: data bytes of the block
    { 8, 53,  95, 61, 100},  // serial number, 2 bytes
    {10, 52,  94, 60,  99},  // network address, 1 byte
    {11, 16,  29, 18,  31},  // scheme code byte
    { 7, 12,  23, 14,  25},  // channel code bytes (pulse value and diameter range)
    {12, 15,  28, 17,  30},  // flags byte
    {13, 48,  86, 56,  91},  // temperature words, 2 bytes per channel
    { 3, 46,  82, 54,  87},  // pressure bytes, 1 byte per channel
    { 0,  9,  17, 10,  17},  // pressure range nibbles, 2 channels per byte
    { 1, 56,  98, 66, 107},  // cold-water temperature, 1 byte
    { 2, 55,  97, 65, 106},  // cold-water pressure, 1 byte
    {28, 17,  30, 21,  35},  // operating time of channel 1, 4 bytes BCD
    {32,  0,   0,  0,   0},  // operating time of channel 2
    {36,  0,  34, 25,  39},  // operating time of channel 3
    {40,  0,   0,  0,   0},  // operating time of channel 4
    { 0,  0, 100,  0, 109},  // operating time of channel 5
    {44, 21,  38, 29,  43},  // heat energy, 7 bytes BCD per heat meter
    {58, 28,  52, 36,  57},  // volume, 6 bytes BCD per channel
    { 0,  1,   1,  1,   1},  // thermal power per heat meter
    { 0,  4,   7,  4,   7},  // flow rate per channel
    {24, 10,  19, 12,  19},  // first error byte, 1 byte per channel
    { 0,  0,   0, 13,  24},  // flow-ratio error byte
    { 0, 57,  99, 67, 108},  // firmware version byte
};

// clang-format on

constexpr SettingsLayout SettingsColumn(int column) {
  SettingsLayout layout{};
  for (int entry = 0; entry < 26; ++entry) {
    layout[entry] = kSettingsLayoutColumns[entry][column];
  }
  return layout;
}

constexpr CurrentParamsLayout CurrentColumn(int column) {
  CurrentParamsLayout layout{};
  for (int entry = 0; entry < 23; ++entry) {
    layout[entry] = kCurrentLayoutColumns[entry][column];
  }
  return layout;
}

constexpr SettingsLayout kLayoutA = SettingsColumn(0);
constexpr SettingsLayout kLayoutB = SettingsColumn(1);
constexpr SettingsLayout kLayoutC = SettingsColumn(2);
constexpr SettingsLayout kLayoutD = SettingsColumn(3);
constexpr SettingsLayout kLayoutE = SettingsColumn(4);
constexpr SettingsLayout kLayoutF = SettingsColumn(5);

constexpr CurrentParamsLayout kCurrentL1 = CurrentColumn(0);
constexpr CurrentParamsLayout kCurrentL2 = CurrentColumn(1);
constexpr CurrentParamsLayout kCurrentL3 = CurrentColumn(2);
constexpr CurrentParamsLayout kCurrentL12 = CurrentColumn(3);
constexpr CurrentParamsLayout kCurrentL13 = CurrentColumn(4);

}  // namespace

// clang-format off

// IsL1Family, IsL3Family, ChannelCount, Schemes, AllChannelFlags, CurrentLayout, Code.
extern constexpr std::array<TFamilyRecord, kFamilyCount> kFamilyTable = {{
    {1, 0, 4, kSchemesA, 0x10000E3F, &kCurrentL1,  0},  // 1 VRX-L1 (1.1)
    {1, 0, 4, kSchemesA, 0x10000E3F, &kCurrentL1,  2},  // 2 VRX-L1 (1.2)
    {1, 0, 4, kSchemesB, 0x30000FFF, &kCurrentL1,  1},  // 3 VRX-L1 (2.1)
    {1, 0, 4, kSchemesB, 0x30000FFF, &kCurrentL1,  3},  // 4 VRX-L1 (2.2)
    {0, 0, 3, kSchemesC, 0x1000005F, &kCurrentL2,  4},  // 5 VRX-L2
    {0, 1, 5, kSchemesD, 0x300017DF, &kCurrentL3,  5},  // 6 VRX-L3, VRX-L5
    {0, 0, 3, kSchemesC, 0x1000005F, &kCurrentL12, 8},  // 7 VRX-L12
    {0, 1, 5, kSchemesD, 0x300017DF, &kCurrentL13, 7},  // 8 VRX-L13
}};

// Name, Code, VersionCodes, IsL3Type, IsL5, HwRevision, MinorVersion, SchemeCount, Layout.
// The VRX-L1 rows match any version byte because identification sets it to 255 for them.
extern constexpr std::array<TDeviceRecord, kTypeCount> kDeviceTypeTable = {{
    {"VRX-L1-1.1",  0, {0xFF, 0xFF, 0xFF}, 0, 0, 1, 0,  8, &kLayoutA},
    {"VRX-L1-1.2",  2, {0xFF, 0xFF, 0xFF}, 0, 0, 1, 0,  8, &kLayoutA},
    {"VRX-L1-2.1",  1, {0xFF, 0xFF, 0xFF}, 0, 0, 1, 0, 32, &kLayoutA},
    {"VRX-L1-2.2",  3, {0xFF, 0xFF, 0xFF}, 0, 0, 1, 0, 32, &kLayoutA},
    {"VRX-L2-1.0",  4, {0xE3, 0xF8, 0xF8}, 0, 0, 0, 0,  7, &kLayoutB},
    {"VRX-L2-1.1",  4, {0xE7, 0xF9, 0xF9}, 0, 0, 0, 1,  7, &kLayoutB},
    {"VRX-L2-1.2",  4, {0xEB, 0xFA, 0xFA}, 0, 0, 0, 2,  7, &kLayoutB},
    {"VRX-L2-2.0",  4, {0xF3, 0xFC, 0xFC}, 0, 0, 1, 0,  7, &kLayoutB},
    {"VRX-L2-2.1",  4, {0xF7, 0xFD, 0xFD}, 0, 0, 1, 1,  7, &kLayoutB},
    {"VRX-L2-2.2",  4, {0xFB, 0xFE, 0xFE}, 0, 0, 1, 2,  7, &kLayoutB},
    {"VRX-L3-1.0",  5, {0xF8, 0xE3, 0x83}, 1, 0, 0, 0, 27, &kLayoutC},
    {"VRX-L3-1.1",  5, {0xF9, 0xE7, 0x87}, 1, 0, 0, 1, 27, &kLayoutC},
    {"VRX-L3-1.2",  5, {0xFA, 0xEB, 0x8B}, 1, 0, 0, 2, 27, &kLayoutC},
    {"VRX-L3-2.0",  5, {0xFC, 0xF3, 0x93}, 1, 0, 1, 0, 27, &kLayoutC},
    {"VRX-L3-2.1",  5, {0xFD, 0xF7, 0x97}, 1, 0, 1, 1, 27, &kLayoutC},
    {"VRX-L3-2.2",  5, {0xFE, 0xFB, 0x9B}, 1, 0, 1, 2, 27, &kLayoutC},
    {"VRX-L5-1.0",  5, {0xC3, 0xA3, 0xA3}, 1, 1, 0, 0, 28, &kLayoutD},
    {"VRX-L5-1.1",  5, {0xC7, 0xA7, 0xA7}, 1, 1, 0, 1, 28, &kLayoutD},
    {"VRX-L5-1.2",  5, {0xCB, 0xAB, 0xAB}, 1, 1, 0, 2, 28, &kLayoutD},
    {"VRX-L5-2.0",  5, {0xD3, 0xB3, 0xB3}, 1, 1, 1, 0, 28, &kLayoutD},
    {"VRX-L5-2.1",  5, {0xD7, 0xB7, 0xB7}, 1, 1, 1, 1, 28, &kLayoutD},
    {"VRX-L5-2.2",  5, {0xDB, 0xBB, 0xBB}, 1, 1, 1, 2, 28, &kLayoutD},
    {"VRX-L12-1.0", 8, {0xF8, 0xF8, 0xF8}, 0, 0, 0, 0,  7, &kLayoutE},
    {"VRX-L12-1.1", 8, {0xF9, 0xF9, 0xF9}, 0, 0, 0, 1,  7, &kLayoutE},
    {"VRX-L12-1.2", 8, {0xFA, 0xFA, 0xFA}, 0, 0, 0, 2,  7, &kLayoutE},
    {"VRX-L12-2.0", 8, {0xFC, 0xFC, 0xFC}, 0, 0, 1, 0,  7, &kLayoutE},
    {"VRX-L12-2.1", 8, {0xFD, 0xFD, 0xFD}, 0, 0, 1, 1,  7, &kLayoutE},
    {"VRX-L12-2.2", 8, {0xFE, 0xFE, 0xFE}, 0, 0, 1, 2,  7, &kLayoutE},
    {"VRX-L13-1.0", 7, {0xF8, 0xF8, 0xF8}, 1, 0, 0, 0, 29, &kLayoutF},
    {"VRX-L13-1.1", 7, {0xF9, 0xF9, 0xF9}, 1, 0, 0, 1, 29, &kLayoutF},
    {"VRX-L13-1.2", 7, {0xFA, 0xFA, 0xFA}, 1, 0, 0, 2, 29, &kLayoutF},
    {"VRX-L13-2.0", 7, {0xFC, 0xFC, 0xFC}, 1, 0, 1, 0, 29, &kLayoutF},
    {"VRX-L13-2.1", 7, {0xFD, 0xFD, 0xFD}, 1, 0, 1, 1, 29, &kLayoutF},
    {"VRX-L13-2.2", 7, {0xFE, 0xFE, 0xFE}, 1, 0, 1, 2, 29, &kLayoutF},
}};

// clang-format on

}  // namespace vrx
