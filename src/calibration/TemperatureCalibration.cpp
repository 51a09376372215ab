#include "calibration/TemperatureCalibration.h"

#include <QDateTime>
#include <QLocale>
#include <array>

#include "image/SettingsFields.h"
#include "image/SettingsImage.h"
#include "model/Errors.h"

namespace vrx {

namespace {

constexpr uint8_t kCmdCalibrate = 1;
constexpr uint8_t kCmdReadCoefficient = 9;
// Codes of inputs 1 to 4: a VRX-L1 and the later models differ for inputs 3 and 4.
constexpr std::array<uint8_t, 4> kL1CodeCommands{2, 6, 7, 8};
constexpr std::array<uint8_t, 4> kCodeCommands{2, 6, 16, 17};
constexpr uint16_t kLowestCoefficient = 65342;
constexpr uint16_t kHighestCoefficient = 65534;
constexpr double kFullScaleProduct = 4294836225.0;  // 65535 × 65535
// The thermometer class is bit 1 of the options (or of a VRX-L1's family code).
constexpr int kThermometerBit = 1;

struct Range {
  double fullScale;
  const char* fullScaleText;
  const char* deltaLabel;
  const char* jitterLabel;
  double threshold;
};
constexpr Range kHighRange{796.84, "796,84", "Погрешность R = 0,097 Ом", "Джиттер R = ± 0,015 Ом",
                           0.097};
constexpr Range kLowRange{160.27, "160,27", "Погрешность R = 0,019 Ом", "Джиттер R = ± 0,0035 Ом",
                          0.019};

}  // namespace

double TemperatureCalibration::Resistance(uint16_t code, uint16_t k, double fullScaleOhms) {
  const uint32_t product = static_cast<uint32_t>(code) * static_cast<uint32_t>(k);
  return static_cast<double>(product) / kFullScaleProduct * fullScaleOhms;
}

bool TemperatureCalibration::CoefficientAccepted(uint16_t k) {
  return k >= kLowestCoefficient && k <= kHighestCoefficient;
}

const TemperaturePanel& TemperatureCalibration::Refresh() {
  try {
    FillPanel();
  } catch (...) {
    panel_ = {};
    throw;
  }
  return panel_;
}

void TemperatureCalibration::FillPanel() {
  connection_.link.IdentifyDevice();
  const ConnectionState& state = connection_.state;
  TemperaturePanel panel;
  panel.model = QString::fromUtf8(state.DeviceType->Name);
  bool class385 = false;
  if (state.Family->IsL1Family) {
    class385 = (state.Family->Code >> kThermometerBit & 1) != 0;
  } else {
    connection_.link.ReadSettings();
    const SettingsImage image(connection_.buffer, state);
    class385 = OptionBit(image, kThermometerBit);
    panel.serialNumber = QString::number(DeviceNumber(image));
  }
  panel.sensor = QStringLiteral("W = ") + (class385 ? QStringLiteral("1,385") : "1,391");
  const Range& range = state.DeviceType->HwRevision == 1 ? kHighRange : kLowRange;
  panel.fullScaleOhms = range.fullScale;
  panel.fullScaleText = QString::fromUtf8(range.fullScaleText);
  panel.deltaLabel = QString::fromUtf8(range.deltaLabel);
  panel.jitterLabel = QString::fromUtf8(range.jitterLabel);
  panel.threshold = range.threshold;
  panel.channelCount = state.Family->ChannelCount - (state.Family->IsL1Family ? 0 : 1);
  panel_ = panel;
}

bool TemperatureCalibration::Calibrate() {
  Refresh();
  if (!messages_.Confirm(QStringLiteral("Вы действительно хотите произвести калибровку АЦП?"))) {
    return false;
  }
  if (!messages_.Confirm(QStringLiteral("Подключите магазин сопротивления и установите R = ") +
                         panel_.fullScaleText + QStringLiteral(" Ом.\nНачать калибровку?"))) {
    return false;
  }
  connection_.pacer.PumpMessages();
  const uint16_t k = exchange_.ReadWord(kCmdCalibrate);
  if (!CoefficientAccepted(k)) {
    throw EOwned(QStringLiteral("Ошибка калибровки.\r\nПолучен неправильный коэффициент: ") +
                 QString::number(k) + QStringLiteral("."));
  }
  messages_.ShowInfo(QStringLiteral("Калибровка АЦП завершена успешно. Поправочный коэффициент: ") +
                     QString::number(k));
  return true;
}

uint16_t TemperatureCalibration::ReadCoefficient() {
  return exchange_.ReadWord(kCmdReadCoefficient);
}

int TemperatureCalibration::Sample(int channel, uint16_t k, AdcSamples& samples) {
  const uint16_t code = ReadCode(channel);
  return samples.Append(channel, QDateTime::currentDateTime(), code, k,
                        Resistance(code, k, panel_.fullScaleOhms));
}

ProtocolHeader TemperatureCalibration::Header(double reference, uint16_t k) const {
  ProtocolHeader header{{QStringLiteral("Дата"), ProtocolDate()},
                        {QStringLiteral("Модель"), panel_.model}};
  if (!panel_.serialNumber.isEmpty()) {
    header.push_back({QStringLiteral("Заводской номер"), panel_.serialNumber});
  }
  header.push_back({QStringLiteral("R, Ом"), QLocale().toString(reference, 'f', 4)});
  header.push_back({QStringLiteral("K"), QString::number(k)});
  return header;
}

uint16_t TemperatureCalibration::ReadCode(int channel) {
  connection_.activity.Report(LinkStep::ReadAdc);
  const auto& commands = exchange_.OldConvention() ? kL1CodeCommands : kCodeCommands;
  return exchange_.ReadWord(commands.at(static_cast<size_t>(channel - 1)));
}

}  // namespace vrx
