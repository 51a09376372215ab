#include "init/ValidateSettings.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

#include "init/AgreedValueRules.h"
#include "model/ChannelFlags.h"
#include "model/DecimalText.h"
#include "model/EValidation.h"
#include "model/NumberHelpers.h"

namespace vrx {

namespace {

// Families from this code on (VRX-L13 7, VRX-L12 8) add the group rules of their circuits.
constexpr int kCircuitFamilyCode = 7;
constexpr int32_t kFlowBit = 1;
constexpr int32_t kTemperatureBit = 2;
// Flags of a channel-pair word.
constexpr int kEqualPulseValues = 0x01;
constexpr int kPulseValuesNear = 0x02;
constexpr int kGroupNotBelow = 0x04;
constexpr int kFarGroupsInGcal = 0x08;
// Bits of the first circuit-test byte that compare the groups of channels 1/2 and 3/4.
constexpr uint8_t kGroups12 = 0x01;
constexpr uint8_t kGroups34 = 0x10;
constexpr int kGjItem = 0;  // cbQWDim

QString Name(const char* control) {
  return QString::fromLatin1(control);
}

QString Grid() {
  return Name(kChannelGridName);
}

// A stored value as a text that reads back as exactly that value, so that passing a value
// through its cell setter checks it without rounding it to the digits the cell shows.
QString ValueText(double value) {
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
  return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

const ChannelRow* RowOfChannel(const ChannelsTable& channels, int channel) {
  const int row = channels.FindChannel(channel);
  return row < 0 ? nullptr : &channels.Row(row);
}

// The group of channel a must equal that of channel b or be one above it.
void CheckGroupNotBelow(const ChannelsTable& channels, int a, int b) {
  const ChannelRow* rowA = RowOfChannel(channels, a);
  const ChannelRow* rowB = RowOfChannel(channels, b);
  if (rowA == nullptr || rowB == nullptr)
    return;
  const int difference = rowA->Dy - rowB->Dy;
  if (difference != 0 && difference != 1) {
    throw EValidation(
        QStringLiteral(
            "Группа канала №%1 должна быть равна или больше на единицу группы канала №%2")
            .arg(a)
            .arg(b),
        QString());
  }
}

void CheckColdWater(InitTabControls& c, bool oldFormat) {
  const QString temperature =
      QStringLiteral("Температура холодной воды должна быть числом от 2 до 25,5.");
  CheckFloatEdit(c.winterTcwEdit, Name("winterTcwEdit"), temperature, 25.5, 2);
  CheckFloatEdit(c.summerTcwEdit, Name("summerTcwEdit"), temperature, 25.5, 2);

  c.tcwPressureEdit.text = NormalizeDecimalSeparator(c.tcwPressureEdit.text);
  CheckAgreedPressure(
      oldFormat,
      ParseDecimal(c.tcwPressureEdit.text).value_or(std::numeric_limits<double>::quiet_NaN()),
      Name("tcwPressureEdit"));

  if (!c.cbWinterDst.HasSelection()) {
    throw EValidation(QStringLiteral("Не задан месяц перехода на зимнюю температуру"),
                      Name("cbWinterDst"));
  }
  if (!c.cbSummerDst.HasSelection()) {
    throw EValidation(QStringLiteral("Не задан месяц перехода на летнюю температуру"),
                      Name("cbSummerDst"));
  }
  if (c.cbWinterDst.index == c.cbSummerDst.index) {
    throw EValidation(QStringLiteral("Месяцы перехода на зимнее/летнее время не должны совпадать."),
                      QString());
  }
}

// Every row from the first: the pulse value and group of a flow channel must be set, and the
// agreed values and the threshold pass through their cell setters again.
void CheckRows(ChannelsTable& channels, bool oldFormat) {
  for (int row = 0; row < channels.RowCount(); ++row) {
    channels.SetCurrentRow(row);
    const ChannelRow r = channels.Row(row);
    const QString channel = QString::number(r.ChannelNo);
    if ((r.Flags & kFlowBit) != 0) {
      if (!oldFormat && r.Dy == 3)
        throw EValidation(QStringLiteral("Не задан Ду  канала №") + channel, Grid());
      if (oldFormat ? r.Ticks == 3 : r.Ticks == 0)
        throw EValidation(QStringLiteral("Не задана цена импульса канала №") + channel, Grid());
    }
    if ((r.Flags & kTemperatureBit) != 0 && r.PresettingTemperature)
      channels.SetText(row, ChannelField::TemperaturePreset, ValueText(r.TemperaturePreset));
    if ((r.Flags & kTemperatureBit) == 0)
      channels.SetText(row, ChannelField::PressurePreset, ValueText(r.PressurePreset));
    channels.SetText(row, ChannelField::gmin, ValueText(r.gmin));
  }
}

}  // namespace

int CheckIntEdit(const EditState& edit, const QString& control, int min, int max,
                 const QString& message) {
  bool ok = false;
  int value = edit.text.trimmed().toInt(&ok);
  if (!ok)
    value = -1;
  if (value < min || value > max)
    throw EValidation(message, control);
  return value;
}

double CheckFloatEdit(EditState& edit, const QString& control, const QString& message, double max,
                      double min) {
  edit.text = NormalizeDecimalSeparator(edit.text);
  const double value = ParseDecimal(edit.text).value_or(0);
  if (!(value >= min && value <= max))
    throw EValidation(message, control);
  return value;
}

void CheckPairRules(const InitWorkspace& workspace, uint16_t pairWord) {
  const UiSelection& selection = workspace.Selection();
  const ChannelsTable& channels = workspace.cdsChannels();
  if (selection.family != nullptr && selection.family->Code >= kCircuitFamilyCode &&
      selection.scheme != nullptr) {
    const uint8_t groups = selection.scheme->CircuitTests[0];
    if ((groups & kGroups12) != 0)
      CheckGroupNotBelow(channels, 1, 2);
    if ((groups & kGroups34) != 0)
      CheckGroupNotBelow(channels, 3, 4);
  }
  if (pairWord == 0)
    return;
  const int a = (pairWord >> 4) & 0x0F;
  const int b = pairWord & 0x0F;
  const int rules = pairWord >> 8;
  const ChannelRow* rowA = RowOfChannel(channels, a);
  const ChannelRow* rowB = RowOfChannel(channels, b);
  if (rowA == nullptr || rowB == nullptr)
    return;
  if ((rules & kEqualPulseValues) != 0 && rowA->Ticks != rowB->Ticks) {
    throw EValidation(
        QStringLiteral("Цена импульсов каналов №%1 и №%2 должны быть равны").arg(a).arg(b),
        QString());
  }
  if ((rules & kPulseValuesNear) != 0 && std::abs(rowA->Ticks - rowB->Ticks) > 1) {
    throw EValidation(
        QStringLiteral(
            "Цены импульсов каналов №%1 и №%2 должны отличаться не более чем в десять раз")
            .arg(a)
            .arg(b),
        QString());
  }
  if ((rules & kGroupNotBelow) != 0)
    CheckGroupNotBelow(channels, a, b);
  if ((rules & kFarGroupsInGcal) != 0 && std::abs(rowA->Dy - rowB->Dy) > 1 &&
      workspace.Controls().cbQWDim.index == kGjItem) {
    throw EValidation(
        QStringLiteral(
            "Для выбранных групп Ду каналов №%1 и №%2 теплота может измеряться только в ГКал")
            .arg(a)
            .arg(b),
        QString());
  }
}

void CheckTemperatureByPressure(bool oldFormat, double temperature, double pressure) {
  // A VRX-L1 stores the pressure above 1 kgf/cm2.
  const double p = oldFormat ? pressure - 1 : pressure;
  // Whole kgf/cm2 toward zero; a pressure beyond any limit (or not a number) allows 150.
  const int k = std::isfinite(p) ? static_cast<int>(std::clamp(std::trunc(p), -100.0, 100.0)) : 100;
  int limit = 150;
  switch (k) {
    case 0:
      limit = 99;
      break;
    case 1:
      limit = 119;
      break;
    case 2:
      limit = 132;
      break;
    case 3:
      limit = 142;
      break;
    default:
      break;
  }
  if (temperature > limit) {
    throw EValidation(
        QStringLiteral("Для давления %1 кгс/см2 температура должна быть не более %2 °C")
            .arg(k)
            .arg(limit),
        Grid());
  }
}

void ValidateSettings(InitWorkspace& workspace) {
  // The grid shows the rows once, when the checks are done or one of them fails.
  InitWorkspace::Batch batch(workspace);
  workspace.NotifyChanged();
  InitTabControls& c = workspace.Controls();
  const UiSelection& selection = workspace.Selection();
  const bool oldFormat = selection.OldFormat();

  if (selection.scheme == nullptr || !c.cbCountingScheme.HasSelection()) {
    throw EValidation(QStringLiteral("Не задан номер измерительной схемы"),
                      Name("cbCountingScheme"));
  }
  CheckIntEdit(c.DevNoEdit, Name("DevNoEdit"), 0, 65535,
               QStringLiteral("Номер прибора должен быть числом от 0 до 65535."));
  if (!c.DevAddrEdit.text.trimmed().isEmpty()) {
    CheckIntEdit(
        c.DevAddrEdit, Name("DevAddrEdit"), 1, 62,
        QStringLiteral("Сетевой адрес должен быть числом от 1 до 62, либо отсутствовать."));
  }
  if (!selection.SchemeHas(kFlagNoColdWater))
    CheckColdWater(c, oldFormat);

  ChannelsTable& channels = workspace.cdsChannels();
  CheckRows(channels, oldFormat);
  channels.First();

  CheckPairRules(workspace, selection.scheme->PairRule1);
  CheckPairRules(workspace, selection.scheme->PairRule2);

  for (int row = 0; row < channels.RowCount(); ++row) {
    const ChannelRow& r = channels.Row(row);
    if (r.PresettingTemperature && (r.Flags & kTemperatureBit) != 0) {
      channels.SetCurrentRow(row);
      CheckTemperatureByPressure(oldFormat, r.TemperaturePreset, r.PressurePreset);
    }
  }
  channels.First();
}

}  // namespace vrx
