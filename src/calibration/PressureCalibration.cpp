#include "calibration/PressureCalibration.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

#include "image/SettingsFields.h"
#include "image/SettingsImage.h"
#include "model/DecimalText.h"
#include "model/Errors.h"

namespace vrx {

namespace {

constexpr uint8_t kCmdReadBlock = 10;
constexpr uint8_t kCmdWriteBlock = 11;
constexpr uint16_t kScaledLimit = 0x4000;
constexpr uint16_t kUncalibrated = 0xC000;
constexpr int kPmaxShift = 14;
constexpr uint16_t kScaledMask = 0x3FFF;
constexpr double kLoadFactor = 1.023;
constexpr double kScale05 = 8388608.0 / 5.0;  // 0-5 mA input
constexpr double kScale420 = 524288.0;        // 4-20 mA input
constexpr double kPressureDivisor = 327680.0;

const char* const kOnlyL2L3 = "Только для VRX-L2 и VRX-L3";
const char* const kReceiveError = "Ошибка приема данных с прибора";
const char* const kBadValues = "Недопустимые значения Uref и RL.";
const char* const kNoPressureInputs = "Прибор не имеет каналов измерения давления.";
const char* const kNoChannelToCalibrate =
    "Не выбран канал для установки калибровочного коэффициента.";
const char* const kChannelNotRead = "Калибруемый канал не прочитан";
const char* const kNoPmax = "Прибор не поддерживает изменение Pmax";
const char* const kNoChannelToSetPmax = "Не выбран канал для установки Pmax.";
const char* const kNoChannelToReadPmax = "Не выбран канал для чтения Pmax.";
const char* const kScaledTooLarge = "Поправочный коэффициент >= 16384";
const char* const kNotCalibrated = "Канал измерения давления не откалиброван.";
const char* const kBlockLengthDiffers =
    "Длина сохраненного блока не совпадает с длиной блока прибора. Восстановление отменено.";

const char* const kCalibrationOperation = "Калибровка давления";
const char* const kPmaxOperation = "Установка Pmax";

const char* const kInputTexts[] = {"нет", "0..5мА", "4..20мА"};

}  // namespace

const PressurePanel& PressureCalibration::Refresh() {
  try {
    FillPanel();
  } catch (...) {
    panel_.model.clear();
    panel_.inputText.clear();
    panel_.inputType = 0;
    throw;
  }
  return panel_;
}

void PressureCalibration::FillPanel() {
  connection_.link.IdentifyDevice();
  const ConnectionState& state = connection_.state;
  if (state.Family->IsL1Family) {
    throw EOwned(kOnlyL2L3);
  }
  PressurePanel panel;
  panel.model = QString::fromUtf8(state.DeviceType->Name);
  panel.inputType = state.DeviceType->MinorVersion;
  if (panel.inputType >= 0 && panel.inputType <= 2) {
    panel.inputText = QString::fromUtf8(kInputTexts[panel.inputType]);
  }
  panel.channelCount = state.Family->ChannelCount - 1;
  panel.pmaxCapable = state.SupportsPmax;
  panel.blockLength = panel.channelCount * (panel.pmaxCapable ? 4 : 2);
  panel_ = panel;
}

void PressureCalibration::ReadBlock() {
  connection_.activity.Report(LinkStep::ReadPressureBlock);
  connection_.pacer.PumpMessages();
  const int length = panel_.blockLength;
  connection_.link.DeviceExchange(kCmdReadBlock, {}, a_, true, length);
  connection_.link.DeviceExchange(kCmdReadBlock, {}, b_, true, length);
  for (int i = 0; i < length; ++i) {
    if (a_[static_cast<size_t>(i)] != b_[static_cast<size_t>(i)]) {
      throw EOwned(kReceiveError);
    }
  }
  before_ = a_;
}

uint16_t PressureCalibration::Word(int index) const {
  const auto at = static_cast<size_t>(2 * (index - 1));
  return static_cast<uint16_t>(a_[at] | a_[at + 1] << 8);
}

void PressureCalibration::SetWord(int index, uint16_t value) {
  const auto at = static_cast<size_t>(2 * (index - 1));
  a_[at] = static_cast<uint8_t>(value & 0xFF);
  a_[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PressureCalibration::RequireChannel(int channel, const char* message) const {
  if (channel == 0) {
    throw EOwned(message);
  }
}

void PressureCalibration::RequirePmax() const {
  if (!panel_.pmaxCapable) {
    throw EOwned(kNoPmax);
  }
}

double PressureCalibration::CoefficientByR(double uref, double rl, int inputType) {
  const double k = uref / (rl * kLoadFactor);
  if (inputType == 1) {
    return k * kScale05;
  }
  if (inputType == 2) {
    return k * kScale420;
  }
  throw EOwned(kNoPressureInputs);
}

void PressureCalibration::CalibrateByR(int channel, int pmaxIndex, const QString& uref,
                                       const QString& rl) {
  Refresh();
  RequireChannel(channel, kNoChannelToCalibrate);
  const auto u = ParseDecimal(uref);
  const auto r = ParseDecimal(rl);
  if (!u || !r) {
    throw EOwned(kBadValues);
  }
  StoreCoefficient(channel, pmaxIndex, CoefficientByR(*u, *r, panel_.inputType));
}

void PressureCalibration::CalibrateByI(int channel, int pmaxIndex,
                                       const std::vector<AdcSamples::Sample>& samples) {
  Refresh();
  RequireChannel(channel, kNoChannelToCalibrate);
  // One sample stands for the channel; of a longer table the record numbered as the channel.
  const size_t row = samples.size() == 1 ? 0 : static_cast<size_t>(channel - 1);
  if (row >= samples.size()) {
    throw EOwned(kBadValues);
  }
  const AdcSamples::Sample& sample = samples[row];
  if (sample.channel != channel) {
    throw EOwned(kChannelNotRead);
  }
  double k = 0;
  if (panel_.inputType == 1) {
    k = 5.0 / sample.adcCode * kScale05;
  } else if (panel_.inputType == 2) {
    k = 20.0 / sample.adcCode * kScale420;
  } else {
    throw EOwned(kNoPressureInputs);
  }
  StoreCoefficient(channel, pmaxIndex, k);
}

void PressureCalibration::StoreCoefficient(int channel, int pmaxIndex, double k) {
  // A negative or infinite coefficient (a zero code or resistance) is refused like a large one.
  if (!(k >= 0 && k <= 65535)) {
    throw EOwned(kBadValues);
  }
  const auto coefficient = static_cast<uint16_t>(std::nearbyint(k));
  if (!panel_.pmaxCapable) {
    pmaxIndex = 0;
  }
  ReadBlock();
  const uint32_t scaled =
      static_cast<uint32_t>(kPmax[static_cast<size_t>(pmaxIndex)]) * coefficient * 10u >> 8;
  if (scaled >= kScaledLimit) {
    throw EOwned(kBadValues);
  }
  SetWord(channel, static_cast<uint16_t>(scaled | static_cast<uint32_t>(pmaxIndex) << kPmaxShift));
  SetWord(panel_.channelCount + channel, coefficient);
  WriteBlock(QString::fromUtf8(kCalibrationOperation));
  messages_.ShowInfo(QStringLiteral("Поправочный коэффициент ") + QString::number(channel) +
                     QStringLiteral("-го канала установлен"));
}

void PressureCalibration::SetPmax(int channel, int pmaxIndex) {
  Refresh();
  RequirePmax();
  RequireChannel(channel, kNoChannelToSetPmax);
  ReadBlock();
  const uint32_t k = Word(panel_.channelCount + channel);
  const uint32_t scaled =
      static_cast<uint32_t>(kPmax[static_cast<size_t>(pmaxIndex)]) * k * 10u >> 8;
  if (scaled >= kScaledLimit) {
    throw EOwned(kScaledTooLarge);
  }
  SetWord(channel, static_cast<uint16_t>(scaled | static_cast<uint32_t>(pmaxIndex) << kPmaxShift));
  WriteBlock(QString::fromUtf8(kPmaxOperation));
  messages_.ShowInfo(QStringLiteral("Pmax для ") + QString::number(channel) +
                     QStringLiteral("-го канала установлен"));
}

int PressureCalibration::GetPmax(int channel) {
  Refresh();
  RequirePmax();
  RequireChannel(channel, kNoChannelToReadPmax);
  ReadBlock();
  const uint16_t word = Word(channel);
  if (word >= kUncalibrated) {
    throw EOwned(kNotCalibrated);
  }
  return word >> kPmaxShift;
}

void PressureCalibration::WriteBlock(const QString& operation) {
  connection_.activity.Report(LinkStep::WritePressureBlock);
  const int length = panel_.blockLength;
  JournalEntry entry;
  entry.block = JournalBlock::PressureBlock;
  entry.operation = operation;
  entry.model = panel_.model;
  if (connection_.journal.Installed()) {
    // The block does not carry the serial number; the settings image does.
    connection_.link.ReadSettings();
    entry.serial =
        QString::number(DeviceNumber(SettingsImage(connection_.buffer, connection_.state)));
  }
  entry.before = QByteArray(reinterpret_cast<const char*>(before_.data()), length);
  entry.after = QByteArray(reinterpret_cast<const char*>(a_.data()), length);
  connection_.journal.Write(
      entry, [&] { connection_.link.DeviceExchange(kCmdWriteBlock, a_, b_, true, length); });
}

void PressureCalibration::RestoreBlock(const QByteArray& block, const QString& operation) {
  Refresh();
  if (block.size() != panel_.blockLength) {
    throw EOwned(kBlockLengthDiffers);
  }
  ReadBlock();
  std::copy(block.begin(), block.end(), a_.begin());
  WriteBlock(operation);
}

void PressureCalibration::PrepareCheck() {
  Refresh();
  ReadBlock();
}

uint16_t PressureCalibration::ReadCode(int channel) {
  connection_.activity.Report(LinkStep::ReadAdc);
  std::array<uint8_t, 2> reply{};
  connection_.link.DeviceExchange(static_cast<uint8_t>(kCmdWriteBlock + channel), {}, reply, true,
                                  2);
  return static_cast<uint16_t>(reply[0] | reply[1] << 8);
}

int PressureCalibration::Sample(int channel, AdcSamples& samples) {
  const uint16_t code = ReadCode(channel);
  return samples.Append(channel, QDateTime::currentDateTime(), code, Word(channel) & kScaledMask,
                        Pressure(channel, code));
}

ProtocolHeader PressureCalibration::Header(const QString& uref, const QString& rl,
                                           const QString& pmax) const {
  return {{QStringLiteral("Дата"), ProtocolDate()},
          {QStringLiteral("Модель"), panel_.model},
          {QStringLiteral("Тип входа"), panel_.inputText},
          {QStringLiteral("Uref, В"), uref},
          {QStringLiteral("RL, Ом"), rl},
          {QStringLiteral("Pmax, кгс/см2"), pmax}};
}

double PressureCalibration::Pressure(int channel, uint16_t code) const {
  return PressureOf(Word(channel), code, panel_.inputType);
}

double PressureCalibration::PressureOf(uint16_t word, uint16_t code, int inputType) {
  const double scaled = word & kScaledMask;
  double pressure = code * (scaled / kPressureDivisor);
  if (inputType == 2) {
    pressure -= kPmax[static_cast<size_t>(word >> kPmaxShift)] * 0.25;
  }
  return pressure;
}

}  // namespace vrx
