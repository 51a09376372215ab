#include "service/CounterFields.h"

#include <span>

#include "model/ChannelFlags.h"
#include "model/NumberHelpers.h"

namespace vrx {

namespace {

constexpr int kTimeDigits = 7;
constexpr int kEnergyDigits = 13;
constexpr int kStoredEnergyDigits = 14;
constexpr int kVolumeDigits = 11;
constexpr int kEnergyBytes = 7;
constexpr int kVolumeBytes = 6;
// Above the counters of the first heat meter lie those of the second.
constexpr int kSecondMeterOffset = kEnergyBytes;
// Families from this code on count the operating time of their last channel.
constexpr uint8_t kLastChannelTimerFamily = 7;

const SettingsField kTimeEntries[] = {SettingsField::Tp1, SettingsField::Tp2, SettingsField::Tp3,
                                      SettingsField::Tp4, SettingsField::Tp5};

QString Digits(int count) {
  return QString(count, QLatin1Char('0'));
}

// A digit mask with a decimal comma before its 1-based character `before`.
QString CommaMask(int digits, int before) {
  QString mask = Digits(digits);
  mask.insert(before - 1, QLatin1Char(','));
  return mask + QStringLiteral(";0;_");
}

// What the field set-up reads of the instrument: its family, type-10 flag, and the channel bytes
// of the image.
class CounterSetup {
 public:
  CounterSetup(const SettingsImage& image, const TSchemeRecord& scheme)
      : image_(image),
        scheme_(scheme),
        family_(image.Family()),
        l1_(image.OldFormat()),
        run_(Run(image)) {}

  bool TimerBit(int channel, uint32_t flags) const {
    const bool lastCounted =
        (image_.State().TypeByte10 || family_.Code >= kLastChannelTimerFamily) &&
        channel == family_.ChannelCount;
    return ChannelHasTimer(channel, flags, image_.State().TypeByte10) || lastCounted;
  }

  // The optional last channel counts flow when the engineer switched it on; the others when the
  // scheme uses them.
  bool FlowPresent(int channel) const {
    if (IsOptionalChannel(channel, scheme_.Flags, family_.ChannelCount)) {
      // A VRX-L1 keeps the switch in its options byte, the others in the channel's pulse byte.
      const uint8_t options = l1_ ? image_.Byte(image_.FieldPos(SettingsField::Options)) : 0;
      const uint8_t pulse = l1_ ? 0 : run_[static_cast<size_t>(channel - 1)];
      return OptionalChannelOn(l1_, options, pulse);
    }
    return ChannelUsed(channel, scheme_.Flags);
  }

  CounterFieldState State(bool exists, bool editable, int position) const {
    // A field the layout has no place for cannot be shown.
    if (!exists || position == 0) {
      return CounterFieldState::Hidden;
    }
    return editable ? CounterFieldState::Editable : CounterFieldState::Disabled;
  }

  CircuitScaleResult Scale(int channelOrPair) const {
    return CircuitScale(run_, l1_, channelOrPair);
  }

  const SettingsImage& image_;
  const TSchemeRecord& scheme_;
  const TFamilyRecord& family_;
  const bool l1_;

 private:
  static std::array<uint8_t, kMaxChannels> Run(const SettingsImage& image) {
    std::array<uint8_t, kMaxChannels> run{};
    const int first = image.FieldPos(SettingsField::ChannelBytes);
    for (int i = 0; i < kMaxChannels; ++i) {
      run[static_cast<size_t>(i)] = image.Byte(first + i);
    }
    return run;
  }

  const std::array<uint8_t, kMaxChannels> run_;
};

}  // namespace

int CounterField::TextDigits() const {
  switch (kind) {
    case CounterKind::Time:
      return kTimeDigits;
    case CounterKind::Energy:
      return kEnergyDigits;
    case CounterKind::Volume:
      return kVolumeDigits;
  }
  return 0;
}

CounterFields SetUpCounterFields(const SettingsImage& image, const TSchemeRecord& scheme) {
  const CounterSetup setup(image, scheme);
  const uint32_t all = setup.family_.AllChannelFlags;
  CounterFields fields;
  for (int k = 1; k <= 5; ++k) {
    CounterField& f = fields[static_cast<size_t>(k - 1)];
    f.label = QStringLiteral("tp%1:").arg(k);
    f.kind = CounterKind::Time;
    f.position = image.FieldPos(kTimeEntries[k - 1]);
    f.state = setup.State(setup.TimerBit(k, all),
                          setup.TimerBit(k, scheme.Flags) && setup.FlowPresent(k), f.position);
    f.mask = QStringLiteral("00000:00;0;_");
  }
  const struct {
    const char* name;
    uint32_t bit;
    uint8_t channels;
    int offset;
  } meters[] = {{"Q1", kFlagFirstCircuit, static_cast<uint8_t>(scheme.Circuit1Channels), 0},
                {"Q3", kFlagSecondCircuit, static_cast<uint8_t>(scheme.Circuit2Channels),
                 kSecondMeterOffset}};
  for (int m = 0; m < 2; ++m) {
    CounterField& f = fields[static_cast<size_t>(5 + m)];
    f.label = QLatin1String(meters[m].name) + QStringLiteral(":");
    f.kind = CounterKind::Energy;
    f.position = image.FieldPos(SettingsField::Q1) + meters[m].offset;
    f.state = setup.State((all & meters[m].bit) != 0, (scheme.Flags & meters[m].bit) != 0,
                          image.FieldPos(SettingsField::Q1));
    const CircuitScaleResult scale = setup.Scale(meters[m].channels);
    f.scalesDiffer = scale.scalesDiffer;
    f.mask = CommaMask(kEnergyDigits, scale.scale + (scale.scalesDiffer ? 1 : 0) + 6);
  }
  for (int k = 1; k <= 5; ++k) {
    CounterField& f = fields[static_cast<size_t>(6 + k)];
    f.label = QStringLiteral("G%1:").arg(k);
    f.kind = CounterKind::Volume;
    f.position = image.FieldPos(SettingsField::G1) + kVolumeBytes * (k - 1);
    f.state =
        setup.State(ChannelHasFlow(k, all), ChannelHasFlow(k, scheme.Flags) && setup.FlowPresent(k),
                    image.FieldPos(SettingsField::G1));
    f.mask = CommaMask(kVolumeDigits, setup.Scale(k).scale + 6);
  }
  for (size_t i = 0; i < fields.size(); ++i) {
    CounterField& f = fields[i];
    f.name = QString::fromLatin1(kCounterNames[i]);
    if (f.state != CounterFieldState::Editable) {
      f.mask = f.state == CounterFieldState::Disabled ? QStringLiteral("----") : QString();
    }
    if (f.state == CounterFieldState::Hidden) {
      f.position = 0;
    }
  }
  return fields;
}

QString MaskedDisplay(const CounterField& field) {
  if (field.state == CounterFieldState::Disabled) {
    return QStringLiteral("----");
  }
  const QString pattern = field.mask.section(QLatin1Char(';'), 0, 0);
  QString display;
  qsizetype next = 0;
  for (const QChar c : pattern) {
    if (c == QLatin1Char('0')) {
      display += next < field.text.size() ? field.text[next] : QLatin1Char('_');
      ++next;
    } else {
      display += c;
    }
  }
  return display;
}

QString TextOfDisplay(const CounterField& field, const QString& display) {
  const QString pattern = field.mask.section(QLatin1Char(';'), 0, 0);
  QString text;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == QLatin1Char('0')) {
      text += i < display.size() ? display[i] : QLatin1Char('_');
    }
  }
  return text;
}

QString ReadCounterText(const SettingsImage& image, const CounterField& field) {
  std::array<uint8_t, kEnergyBytes> bytes{};
  const int stored = field.kind == CounterKind::Energy ? kStoredEnergyDigits : field.TextDigits();
  for (int i = 0; i < (stored + 1) / 2; ++i) {
    bytes[static_cast<size_t>(i)] = image.Byte(field.position + i);
  }
  QString digits = BcdToStr(bytes.data(), stored);
  if (field.kind == CounterKind::Energy) {
    // Two channels of different scale keep one more decimal than the edit shows.
    digits.remove(field.scalesDiffer ? digits.size() - 1 : 0, 1);
  }
  return digits;
}

void WriteCounterText(SettingsImage& image, const CounterField& field, const QString& digits) {
  QString stored = digits;
  if (field.kind == CounterKind::Energy) {
    stored = field.scalesDiffer ? stored + QLatin1Char('0') : QLatin1Char('0') + stored;
  }
  std::array<uint8_t, kEnergyBytes> bytes{};
  StrToBcd(stored, bytes.data());
  for (int i = 0; i < (stored.size() + 1) / 2; ++i) {
    image.SetByte(field.position + i, bytes[static_cast<size_t>(i)]);
  }
}

}  // namespace vrx
