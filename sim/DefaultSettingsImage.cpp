#include "sim/DefaultSettingsImage.h"

#include <initializer_list>

namespace vrx::sim {

namespace {

// Writes bytes at 1-based positions of the layout.
class ImageWriter {
 public:
  explicit ImageWriter(const SettingsLayout& layout) : layout_(layout), image_(layout[Length], 0) {}

  void At(int position, std::initializer_list<uint8_t> bytes) {
    int p = position;
    for (uint8_t b : bytes) {
      image_.at(static_cast<size_t>(p - 1)) = b;
      ++p;
    }
  }
  void Field(SettingsField entry, std::initializer_list<uint8_t> bytes, int offset = 0) {
    At(layout_[entry] + offset, bytes);
  }
  std::vector<uint8_t> Take() { return std::move(image_); }

 private:
  const SettingsLayout& layout_;
  std::vector<uint8_t> image_;
};

// 14:30 on 15.03.24, BCD: minute, hour, day, month, year.
constexpr std::initializer_list<uint8_t> kInitTime = {0x30, 0x14, 0x15, 0x03, 0x24};
constexpr uint8_t kRtcCorrection = 0x05;

// Agreed temperatures in 1/80 degree: 70 and 40 degrees.
constexpr uint8_t k70Lo = 0xE0, k70Hi = 0x15;  // 5600
constexpr uint8_t k40Lo = 0x80, k40Hi = 0x0C;  // 3200

std::vector<uint8_t> L1Image(const TDeviceRecord& type) {
  ImageWriter w(*type.Layout);
  // Scheme code 16 (scheme 17 of both VRX-L1 lists): channels 1, 2 and the optional channel 4
  // measure flow and temperature, with cold water.
  w.Field(Scheme, {16});
  w.Field(DevNo, {0x04, 0xD2});  // 1234, most significant byte first
  w.Field(DevAddr, {1});
  w.Field(InitTime, kInitTime);
  // Pulse-value code 1 (0,01 m3) on every channel.
  w.Field(ChannelBytes, {0x55});
  // Optional channel on, measuring mass; heat in Gcal; measured temperatures.
  w.Field(Options, {0xA0});
  // Cold water: 15.0 and 5.0 degrees, 3 kgf/cm2 (stored as 2), the optional channel a water
  // meter (bit 4).
  w.Field(Tcw, {150, 50});
  w.Field(TcwPressure, {0x12});
  // Enthalpies in Gcal units, most significant byte first: summer 1546, winter 521.
  w.At(5, {0x06, 0x0A, 0x02, 0x09});
  w.Field(PressurePresets, {6, 3, 6, 3});
  // Thermometer codes of 70 and 40 degrees, least significant byte first; the two
  // thermometer classes ("1,391" for family codes 0 and 1, "1,385" for 2 and 3) differ.
  if ((type.Code & 2) == 0) {
    w.Field(TempPresets, {0x21, 0x15, 0xB9, 0x0B, 0x21, 0x15, 0xB9, 0x0B});  // 5409, 3001
  } else {
    w.Field(TempPresets, {0xCE, 0x14, 0x8B, 0x0B, 0xCE, 0x14, 0x8B, 0x0B});  // 5326, 2955
  }
  w.Field(Months, {4, 10});
  w.Field(RtcCorrection, {kRtcCorrection});
  return w.Take();
}

// The fields the five new-format layouts share.
void CommonNewFormat(ImageWriter& w) {
  w.Field(DevNo, {0xD2, 0x04});  // 1234, least significant byte first
  w.Field(DevAddr, {1});
  w.Field(InitTime, kInitTime);
  w.Field(Tcw, {150, 50});
  w.Field(TcwPressure, {30});
  w.Field(Months, {0xA4});
  w.Field(RtcCorrection, {kRtcCorrection});
}

// Five-channel models (VRX-L3, VRX-L5, VRX-L13) with scheme code 6 (scheme 7 of list D): flow
// and temperature on channels 1 and 3, temperature on channel 2, nothing on channel 4, the
// optional channel 5 counting flow; heat circuits 1 and 2.
void FiveChannelCommon(ImageWriter& w) {
  CommonNewFormat(w);
  w.Field(Scheme, {6});
  w.Field(TempPresets, {k70Lo, k70Hi, k40Lo, k40Hi, k70Lo, k70Hi, k40Lo, k40Hi});
  w.Field(PressurePresets, {60, 30, 60, 30});
  // Pulse value 0,001 m3 (group 0) on channel 1, 0,01 m3 (group 1) on channel 3, code 1 on
  // the others; bit 4 of channels 1 and 3 set (no pulse-value comparisons), line tests off on
  // the channels without flow and on the optional one.
  w.Field(ChannelBytes, {0x11, 0x81, 0x15, 0x81, 0x81});
}

std::vector<uint8_t> L2Image(const TDeviceRecord& type) {
  ImageWriter w(*type.Layout);
  CommonNewFormat(w);
  // Scheme code 5 (scheme 6 of list C): flow and temperature on channel 1, temperature on
  // channel 2, the optional channel 3 counting flow; channels 1 and 2 compared.
  w.Field(Scheme, {5});
  w.Field(TempPresets, {k70Lo, k70Hi, k40Lo, k40Hi});
  w.Field(PressurePresets, {60, 30});
  w.Field(ChannelBytes, {0x11, 0x01, 0x81});
  w.Field(Options, {0x04});  // Gcal
  // Threshold code 9: 0,025 m3/h at 1 litre per pulse.
  w.Field(Gmin, {9, 9});
  return w.Take();
}

std::vector<uint8_t> L3Image(const TDeviceRecord& type) {
  ImageWriter w(*type.Layout);
  FiveChannelCommon(w);
  w.Field(Options, {0x04});
  // Code 9 in every nibble: 0,025 m3/h at 1 litre, 0,25 m3/h at 10 litres per pulse.
  w.Field(Gmin, {0x99, 0x99});
  return w.Take();
}

std::vector<uint8_t> L5Image(const TDeviceRecord& type) {
  ImageWriter w(*type.Layout);
  FiveChannelCommon(w);
  w.Field(Options, {0x04});
  // Stored count - 1 = 35: 0,10 m3/h at 1 litre, 1,0 m3/h at 10 litres per pulse.
  w.Field(Gmin, {35, 35, 35, 35});
  w.Field(GminDigits, {0x10, 0x10, 0x10, 0x10});
  w.Field(GminExponents, {0x9A});  // exponents 2, 2, 1, 2
  return w.Take();
}

std::vector<uint8_t> L12Image(const TDeviceRecord& type) {
  ImageWriter w(*type.Layout);
  CommonNewFormat(w);
  // Scheme code 5 (scheme 6 of list C), as on the VRX-L2; circuit 1 tests for "A", "C", "3"
  // and "4".
  w.Field(Scheme, {5});
  w.Field(TempPresets, {k70Lo, k70Hi, k40Lo, k40Hi});
  w.Field(PressurePresets, {60, 30});
  // The optional channel keeps bit 6 set and its "J" reaction 0.
  w.Field(ChannelBytes, {0x11, 0x81, 0x41});
  // Gcal; option bits 5 and 6 set because the scheme's third circuit-test byte is 0.
  w.Field(Options, {0x64});
  // Code 31 (count 36): 0,10 m3/h; channel 1 with gth 1.
  w.Field(Gmin, {0x3F, 0x1F});
  w.Field(GminDigits, {0x10, 0x10});
  w.Field(GminExponents, {0x0A});
  // "A" tested with "Коррекция масс", "C" tested with "Останов счёта контура", "E" and "F" not
  // allowed; rows "1" and "2" not allowed, "3" with reaction 0, "4" with reaction 1.
  w.Field(Scheme, {0xF9}, 1);
  w.Field(CircuitBits, {0x0D});
  return w.Take();
}

std::vector<uint8_t> L13Image(const TDeviceRecord& type) {
  ImageWriter w(*type.Layout);
  FiveChannelCommon(w);
  // Channel 5: bit 6 set, "J" reaction 1 for circuit 1.
  w.Field(ChannelBytes, {0x51}, 4);
  // Gcal; bit 6 set because bit 4 of the scheme's third circuit-test byte is clear.
  w.Field(Options, {0x44});
  // Code 31 (count 36): 0,10 m3/h; channel 3 with code 0x85 (count 73): 0,49 m3/h at 10 litres
  // per pulse, gth 1.
  w.Field(Gmin, {0x1F, 0x1F, 0xA5, 0x1F});
  w.Field(GminDigits, {0x10, 0x10, 0x49, 0x10});
  w.Field(GminExponents, {0xAA});
  // Circuit 1: "A" tested, reaction 1; "C" tested, reaction 0; "E" tested, reaction 1; "F" not
  // tested. Circuit 2 may test none of them.
  w.Field(Scheme, {0xD1, 0xFF}, 1);
  // Circuit 1: "1" reaction 1, "2" and "3" reaction 0, "4" not allowed; circuit 2 allows only
  // "4", with reaction 1.
  w.Field(CircuitBits, {0xF9});
  return w.Take();
}

}  // namespace

std::vector<uint8_t> DefaultSettingsImage(const TDeviceRecord& type) {
  switch (type.Code) {
    case 0:
    case 1:
    case 2:
    case 3:
      return L1Image(type);
    case 4:
      return L2Image(type);
    case 7:
      return L13Image(type);
    case 8:
      return L12Image(type);
    default:
      return type.IsL5 ? L5Image(type) : L3Image(type);
  }
}

}  // namespace vrx::sim
