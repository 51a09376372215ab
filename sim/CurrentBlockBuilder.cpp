#include "sim/CurrentBlockBuilder.h"

#include <QString>
#include <cmath>
#include <stdexcept>

#include "model/ChannelFlags.h"
#include "model/NumberHelpers.h"

namespace vrx::sim {

namespace {

constexpr int kType10Extra = 4;
constexpr int kChecksumBytes = 2;

// Where the counters stand when the instrument starts, and how fast they grow.
constexpr double kStartVolume = 1000.0;    // m3, times the channel number, plus a fraction
constexpr double kStartEnergy = 2500.0;    // GJ, plus 700 for the second heat meter
constexpr double kPowerPerMeter = 0.0812;  // GJ/h, plus 0.02 for the second heat meter
constexpr double kFlowBase = 1.2;          // m3/h, plus 0.3 per channel number
constexpr int kStartOperatingMinutes = 1234 * 60 + 56;
constexpr double kTemperatures[] = {70.0, 40.0, 65.0, 45.0};
constexpr double kWiggleSeconds = 90.0;
// Flows and powers swing by a few percent over minutes, each channel at a pace of its own.
constexpr double kFlowSwing = 0.06;   // m3/h
constexpr double kPowerSwing = 0.05;  // of the power
constexpr double kSwingSeconds = 100.0;

// Writes at 1-based positions of a block.
class BlockWriter {
 public:
  explicit BlockWriter(int length) : bytes_(static_cast<size_t>(length), 0) {}
  uint8_t& At(int position) { return bytes_.at(static_cast<size_t>(position - 1)); }
  void Put(int position, const uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i)
      At(position + i) = bytes[i];
  }
  void Value(int position, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      At(position + i) = static_cast<uint8_t>(value >> (8 * i));
  }
  // The low `digits` decimal digits of the value as packed BCD, least significant byte first.
  void Bcd(int position, uint64_t value, int digits) {
    QString text = QString::number(value).right(digits).rightJustified(digits, u'0');
    std::vector<uint8_t> packed(static_cast<size_t>((digits + 1) / 2));
    StrToBcd(text, packed.data());
    Put(position, packed.data(), static_cast<int>(packed.size()));
  }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

// A rate that swings around its base with a period of 2π·seconds, starting at the base, so a
// clock that stands still keeps every value where it starts.
struct Swing {
  double base;
  double amplitude;
  double seconds;
  double At(double t) const { return base + amplitude * std::sin(t / seconds); }
  // What the rate adds up to over the first t seconds, in its unit times hours.
  double Total(double t) const {
    return (base * t + amplitude * seconds * (1 - std::cos(t / seconds))) / 3600.0;
  }
};

uint64_t Scaled(double value, int decimals) {
  return static_cast<uint64_t>(std::llround(value * std::pow(10.0, decimals)));
}

const TSchemeRecord* FindScheme(const TFamilyRecord& family, const TDeviceRecord& type,
                                uint8_t code) {
  for (int i = 0; i < type.SchemeCount && i < static_cast<int>(family.Schemes.size()); ++i) {
    if (family.Schemes[i].DeviceCode == code)
      return &family.Schemes[i];
  }
  return nullptr;
}

}  // namespace

std::array<uint8_t, 5> BcdTime(const QDateTime& time) {
  const QDate date = time.date();
  const QTime clock = time.time();
  return {ByteToBcd(clock.minute()), ByteToBcd(clock.hour()), ByteToBcd(date.day()),
          ByteToBcd(date.month()), ByteToBcd(date.year() % 100)};
}

void SealBlock(std::vector<uint8_t>& block) {
  if (block.size() < kChecksumBytes)
    throw std::invalid_argument("a block needs room for its checksum");
  uint16_t sum = 0;
  for (size_t i = 0; i + kChecksumBytes < block.size(); ++i)
    sum = static_cast<uint16_t>(sum + block[i]);
  block[block.size() - 2] = static_cast<uint8_t>(sum >> 8);
  block[block.size() - 1] = static_cast<uint8_t>(sum);
}

std::vector<uint8_t> BuildClockBlock(const QDateTime& now, const std::array<uint8_t, 5>& lastInit,
                                     uint8_t typeByte) {
  std::vector<uint8_t> block;
  for (uint8_t b : BcdTime(now))
    block.push_back(b);
  block.insert(block.end(), lastInit.begin(), lastInit.end());
  block.push_back(typeByte);
  block.resize(block.size() + kChecksumBytes);
  SealBlock(block);
  return block;
}

std::vector<uint8_t> BuildCurrentBlock(const CurrentBlockSource& s) {
  const TDeviceRecord& type = *s.type;
  const TFamilyRecord& family = FamilyOf(type);
  const CurrentParamsLayout& L = *family.CurrentLayout;
  const SettingsLayout& S = *type.Layout;
  const bool l1 = family.IsL1Family != 0;
  const int channels = family.ChannelCount;
  const auto setting = [&](SettingsField field, int offset = 0) {
    return s.settings.at(static_cast<size_t>(S[field] + offset - 1));
  };
  BlockWriter w(L[BlockLength] + (s.typeByte10 ? kType10Extra : 0) + kChecksumBytes);

  // Identity and configuration, as the settings block holds them.
  w.At(L[SerialNumber]) = setting(DevNo);
  w.At(L[SerialNumber] + 1) = setting(DevNo, 1);
  w.At(L[NetworkAddress]) = setting(DevAddr);
  w.At(L[SchemeCode]) = setting(Scheme);
  for (int k = 0; k < (l1 ? 1 : channels); ++k)
    w.At(L[ChannelCodes] + k) = setting(ChannelBytes, k);
  w.At(L[FlagsByte]) = setting(Options);
  w.At(L[ColdWaterTemperature]) = setting(Tcw);
  w.At(L[ColdWaterPressure]) = setting(TcwPressure);
  if (!l1)
    w.At(L[FirmwareVersion]) = s.versionByte;

  const double t = s.runningSeconds;
  std::vector<uint8_t> codes;
  for (int k = 0; k < (l1 ? 1 : channels); ++k)
    codes.push_back(w.At(L[ChannelCodes] + k));
  const bool supportsPmax =
      family.Code >= 7 || (family.IsL3Family && (s.versionByte & 3) == 3 && s.versionByte > 0x9F);

  for (int k = 1; k <= channels; ++k) {
    const int scale = ChannelScale(codes, l1, k);
    const Swing swing{kFlowBase + 0.3 * k, kFlowSwing, kSwingSeconds + 20.0 * k};
    const double flow = swing.At(t);
    const double volume = kStartVolume * k + 0.1234567 * k + swing.Total(t);
    // Eleven digits, 6 - scale of them decimals.
    w.Bcd(L[Volume] + 6 * (k - 1), Scaled(volume, 6 - scale), 11);
    // The last channel's flow rate has a place in the block only in the Pmax format.
    if (!l1 && (k < channels || supportsPmax)) {
      const uint64_t rate = Scaled(flow, 4 - scale);
      if (supportsPmax) {
        // Twelve bits of mantissa and a shift.
        uint64_t mantissa = rate;
        uint32_t shift = 0;
        while (mantissa > 0xFFF) {
          mantissa >>= 1;
          ++shift;
        }
        w.Value(L[FlowRate] + 2 * (k - 1), (shift << 12) | static_cast<uint32_t>(mantissa), 2);
      } else {
        w.Value(L[FlowRate] + 3 * (k - 1), static_cast<uint32_t>(rate), 3);
      }
    }
  }

  const int minutes = kStartOperatingMinutes + static_cast<int>(s.runningSeconds / 60.0);
  for (int k = 1; k <= 5; ++k) {
    const int position = L[OperatingTime1 + k - 1];
    // Channel 5's counter of the VRX-L3 kind lies in the type-10 instrument's extra bytes.
    if (position != 0 &&
        position + 3 <= static_cast<int>(L[BlockLength]) + (s.typeByte10 ? kType10Extra : 0)) {
      w.Bcd(position, static_cast<uint64_t>(minutes / 60) * 100 + minutes % 60, 7);
    }
  }

  const TSchemeRecord* scheme = FindScheme(family, type, setting(Scheme) & 0x7F);
  for (int j = 0; j < 2; ++j) {
    // Fields of what the family lacks overlap others.
    if ((family.AllChannelFlags & (j == 0 ? kFlagFirstCircuit : kFlagSecondCircuit)) == 0)
      continue;
    const int meter = scheme == nullptr ? 0
                      : j == 0          ? scheme->Circuit1Channels
                                        : scheme->Circuit2Channels;
    const int comma = CircuitScale(codes, l1, meter).scale;
    const double base = kPowerPerMeter + 0.02 * j;
    const Swing swing{base, kPowerSwing * base, kSwingSeconds + 70.0 * j};
    const double power = swing.At(t);
    w.Bcd(L[HeatEnergy] + 7 * j, Scaled(kStartEnergy + 700.0 * j + swing.Total(t), 8 - comma),
          14);
    if (!l1)
      w.Value(L[ThermalPower] + 3 * j, static_cast<uint32_t>(Scaled(power, 6 - comma)), 3);
  }

  // Temperatures and pressures of the channels that may measure them.
  for (int k = 1; k <= 4; ++k) {
    if (!ChannelHasTemperature(k, family.AllChannelFlags))
      continue;
    const double wiggle = std::sin(s.runningSeconds / kWiggleSeconds + k);
    uint16_t word = 0;
    if (l1) {
      // The thermometer code of the agreed temperature, moving by a few steps.
      const int code = setting(TempPresets, 2 * (k - 1)) | (setting(TempPresets, 2 * k - 1) << 8);
      word = static_cast<uint16_t>(code + std::lround(3 * wiggle));
    } else {
      // 1/80 degree.
      word =
          static_cast<uint16_t>(std::lround((kTemperatures[k - 1] + 0.4 * wiggle) * 80) & 0x3FFF);
    }
    w.Value(L[TemperatureWords] + 2 * (k - 1), word, 2);
    w.At(L[PressureBytes] + k - 1) = setting(PressurePresets, k - 1);
  }

  std::vector<uint8_t> block = w.Take();
  SealBlock(block);
  return block;
}

}  // namespace vrx::sim
