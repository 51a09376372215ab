#include "init/ChannelsTable.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#include "init/AgreedValueRules.h"
#include "model/ChannelFlags.h"
#include "model/CodeTexts.h"
#include "model/DecimalText.h"
#include "model/EValidation.h"
#include "model/FlowThreshold.h"

namespace vrx {

namespace {

const QString kDashes = QStringLiteral("----");
const QString kAgreed = QStringLiteral("Договорная");
const QString kNo = QStringLiteral("Нет");

// The threshold a text stands for when it is not a number.
constexpr double kUnreadableThreshold = 0.02;
// A threshold shown with two significant digits lies within 5 % of its text.
constexpr double kShownTextTolerance = 0.06;
// Float fields show this many significant digits.
constexpr int kTemperaturePrecision = 4;
constexpr int kPressurePrecision = 2;
// The families from this code on (VRX-L13 7, VRX-L12 8) test the line on every flow channel.
constexpr int kCircuitFamilyCode = 7;
// VRX-L3 and VRX-L5.
constexpr int kL3FamilyCode = 5;

struct FieldInfo {
  ChannelField field;
  const char* name;
  const char* title;
};

constexpr std::array<FieldInfo, 11> kFields = {{
    {ChannelField::ChannelNo, "ChannelNo", "№"},
    {ChannelField::Dy, "Dy", "Ду"},
    {ChannelField::Flags, "Flags", ""},
    {ChannelField::Ticks, "Ticks", "Цена импульса"},
    {ChannelField::PresettingTemperature, "PresettingTemperature", "Температура"},
    {ChannelField::TemperaturePreset, "TemperaturePreset", "Договорная t, °C"},
    {ChannelField::PressurePreset, "PressurePreset", "Договорное P, кгс/см2"},
    {ChannelField::TestOfLine, "TestOfLine", "Тест линии"},
    {ChannelField::gmin, "gmin", "Расход gпор"},
    {ChannelField::gmintest, "gmintest", "Тест H, J"},
    {ChannelField::gth, "gth", "Расход gмин"},
}};

constexpr std::array<ChannelField, ChannelsTable::kGridColumnCount> kGridColumns = {
    ChannelField::ChannelNo,
    ChannelField::Dy,
    ChannelField::Ticks,
    ChannelField::PresettingTemperature,
    ChannelField::TemperaturePreset,
    ChannelField::PressurePreset,
    ChannelField::TestOfLine,
    ChannelField::gmintest,
    ChannelField::gmin,
    ChannelField::gth,
};

const QStringList& DiameterTexts() {
  static const QStringList texts{DiameterGroupText(0), DiameterGroupText(1), DiameterGroupText(2)};
  return texts;
}

const QStringList& TemperatureSourceTexts() {
  static const QStringList texts{TemperatureSourceText(0), TemperatureSourceText(1)};
  return texts;
}

const QStringList& YesNoTexts() {
  static const QStringList texts{YesNoText(0), YesNoText(1)};
  return texts;
}

// A typed agreed value; not a number when the text is not one, which every rule refuses.
double AgreedValue(const QString& text) {
  return ParseDecimal(text).value_or(std::numeric_limits<double>::quiet_NaN());
}

}  // namespace

const std::array<ChannelField, ChannelsTable::kGridColumnCount>& ChannelsTable::GridColumns() {
  return kGridColumns;
}

int ChannelsTable::GridColumnOf(ChannelField field) {
  for (int i = 0; i < kGridColumnCount; ++i) {
    if (kGridColumns[static_cast<size_t>(i)] == field)
      return i;
  }
  return -1;
}

QString ChannelsTable::FieldName(ChannelField field) {
  return QString::fromLatin1(kFields[static_cast<size_t>(field)].name);
}

std::optional<ChannelField> ChannelsTable::FieldNamed(const QString& name) {
  for (const FieldInfo& info : kFields) {
    if (name == QLatin1String(info.name))
      return info.field;
  }
  return std::nullopt;
}

QString ChannelsTable::ColumnTitle(ChannelField field) {
  return QString::fromUtf8(kFields[static_cast<size_t>(field)].title);
}

ChannelsTable::ChannelsTable(const UiSelection& selection, const ConnectionState& state,
                             const ListState& cbLCType, TableEditingFlag& editing)
    : selection_(selection), state_(state), lcType_(cbLCType), editing_(editing) {}

// --- Rows ------------------------------------------------------------------------------------

const ChannelRow& ChannelsTable::Row(int row) const {
  if (row < 0 || row >= RowCount())
    throw std::out_of_range("channel table row " + std::to_string(row));
  return rows_[static_cast<size_t>(row)];
}

ChannelRow& ChannelsTable::Fields(int row) {
  Row(row);  // range check
  return rows_[static_cast<size_t>(row)];
}

int ChannelsTable::FindChannel(int channelNo) const {
  for (int i = 0; i < RowCount(); ++i) {
    if (rows_[static_cast<size_t>(i)].ChannelNo == channelNo)
      return i;
  }
  return -1;
}

bool ChannelsTable::AppendRow(const ChannelRow& row) {
  if (!cdsChannelsBeforeInsert())
    return false;
  rows_.push_back(row);
  SetCurrentRow(RowCount() - 1);
  return true;
}

bool ChannelsTable::DeleteRow(int row) {
  if (!cdsChannelsBeforeDelete())
    return false;
  Row(row);  // range check
  rows_.erase(rows_.begin() + row);
  SetCurrentRow(std::min(current_, RowCount() - 1));
  return true;
}

bool ChannelsTable::Empty() {
  if (!cdsChannelsBeforeDelete())
    return false;
  rows_.clear();
  SetCurrentRow(-1);
  return true;
}

void ChannelsTable::Restore(std::vector<ChannelRow> rows, int current) {
  rows_ = std::move(rows);
  SetCurrentRow(current);
}

void ChannelsTable::SetCurrentRow(int row) {
  current_ = row >= 0 && row < RowCount() ? row : (RowCount() > 0 ? 0 : -1);
  RefreshTicksList();
  Repaint();
}

bool ChannelsTable::IsOptionalChannel(int row) const {
  return Row(row).ChannelNo == selection_.ChannelCount() &&
         !selection_.SchemeHas(kFlagFixedLastChannel);
}

bool ChannelsTable::WaterMeterRow(int row) const {
  return selection_.OldFormat() && IsOptionalChannel(row) && lcType_.index == 0;
}

int ChannelsTable::TypeCode() const {
  return selection_.type != nullptr ? selection_.type->Code : -1;
}

void ChannelsTable::Repaint() {
  if (setTextDepth_ > 0) {
    repaintPending_ = true;
  } else if (repaint_) {
    repaint_();
  }
}

// --- Cells -----------------------------------------------------------------------------------

QString ChannelsTable::Text(int row, ChannelField field) const {
  switch (field) {
    case ChannelField::ChannelNo:
      return QString::number(Row(row).ChannelNo);
    case ChannelField::Dy:
      return cdsChannelsDyGetText(row);
    case ChannelField::Flags:
      return QString::number(Row(row).Flags);
    case ChannelField::Ticks:
      return cdsChannelsTicksGetText(row);
    case ChannelField::PresettingTemperature:
      return cdsChannelsPresettingTemperatureGetText(row);
    case ChannelField::TemperaturePreset:
      return cdsChannelsTemperaturePresetGetText(row);
    case ChannelField::PressurePreset:
      return cdsChannelsPressurePresetGetText(row);
    case ChannelField::TestOfLine:
      return cdsChannelsTestOfLineGetText(row);
    case ChannelField::gmin:
      return cdsChannelsgminGetText(row);
    case ChannelField::gmintest:
      return cdsChannelsgmintestGetText(row);
    case ChannelField::gth:
      return cdsChannelsgthGetText(row);
  }
  return QString();
}

void ChannelsTable::SetText(int row, ChannelField field, const QString& text) {
  Row(row);  // range check
  // One repaint for the setter and the change handlers it runs, also when the setter refuses.
  struct OneRepaint {
    ChannelsTable& table;
    explicit OneRepaint(ChannelsTable& t) : table(t) { ++table.setTextDepth_; }
    ~OneRepaint() {
      if (--table.setTextDepth_ == 0 && std::exchange(table.repaintPending_, false) &&
          table.repaint_) {
        table.repaint_();
      }
    }
  } oneRepaint(*this);
  switch (field) {
    case ChannelField::ChannelNo:
    case ChannelField::Flags:
      return;  // not editable
    case ChannelField::Dy:
      if (cdsChannelsDySetText(row, text))
        cdsChannelsDyChange(row);
      break;
    case ChannelField::Ticks:
      if (cdsChannelsTicksSetText(row, text))
        cdsChannelsTicksChange(row);
      break;
    case ChannelField::PresettingTemperature:
      cdsChannelsPresettingTemperatureSetText(row, text);
      break;
    case ChannelField::TemperaturePreset:
      cdsChannelsTemperaturePresetSetText(row, text);
      break;
    case ChannelField::PressurePreset:
      cdsChannelsPressurePresetSetText(row, text);
      break;
    case ChannelField::TestOfLine:
      cdsChannelsTestOfLineSetText(row, text);
      break;
    case ChannelField::gmin:
      if (cdsChannelsgminSetText(row, text))
        cdsChannelsgminChange(row);
      break;
    case ChannelField::gmintest:
      cdsChannelsgmintestSetText(row, text);
      break;
    case ChannelField::gth:
      cdsChannelsgthSetText(row, text);
      break;
  }
  Repaint();
}

bool ChannelsTable::Editable(int row, ChannelField field) const {
  if (field == ChannelField::ChannelNo || field == ChannelField::Flags)
    return false;
  return Text(row, field) != kDashes;
}

QStringList ChannelsTable::PickList(ChannelField field) const {
  switch (field) {
    case ChannelField::Dy:
      return DiameterTexts();
    case ChannelField::Ticks:
      return ticksPickList_;
    case ChannelField::PresettingTemperature:
      return TemperatureSourceTexts();
    case ChannelField::TestOfLine:
    case ChannelField::gmintest:
      return YesNoTexts();
    case ChannelField::gth:
      return gthPickList_;
    default:
      return {};
  }
}

QStringList ChannelsTable::TicksTexts(int row) const {
  QStringList texts;
  if (selection_.OldFormat()) {
    const bool coarse = WaterMeterRow(row);
    for (int code = 0; code <= 2; ++code)
      texts << L1PulseValueUnitText(code, coarse);
  } else {
    for (int code = 1; code <= 3; ++code)
      texts << PulseValueUnitText(Row(row).Dy, code);
  }
  return texts;
}

QStringList ChannelsTable::GthTexts(int row) const {
  QStringList texts;
  for (int divisor = 1; divisor <= 4; ++divisor)
    texts << FormatFlow(Row(row).gmin / divisor);
  return texts;
}

void ChannelsTable::RefreshTicksList() {
  if (current_ < 0) {
    ticksPickList_.clear();
    gthPickList_.clear();
    return;
  }
  ticksPickList_ = TicksTexts(current_);
  gthPickList_ = GthTexts(current_);
}

// --- Text getters ----------------------------------------------------------------------------

QString ChannelsTable::cdsChannelsDyGetText(int row) const {
  return Flow(row) ? DiameterGroupText(Row(row).Dy) : kDashes;
}

QString ChannelsTable::cdsChannelsTicksGetText(int row) const {
  if (!Flow(row))
    return kDashes;
  const ChannelRow& r = Row(row);
  return selection_.OldFormat() ? L1PulseValueUnitText(r.Ticks, WaterMeterRow(row))
                                : PulseValueUnitText(r.Dy, r.Ticks);
}

QString ChannelsTable::cdsChannelsPresettingTemperatureGetText(int row) const {
  return TemperatureAndPressure(row) ? TemperatureSourceText(Row(row).PresettingTemperature ? 1 : 0)
                                     : kDashes;
}

QString ChannelsTable::cdsChannelsTemperaturePresetGetText(int row) const {
  const ChannelRow& r = Row(row);
  return TemperatureAndPressure(row) && r.PresettingTemperature
             ? FloatFieldText(r.TemperaturePreset, kTemperaturePrecision)
             : kDashes;
}

QString ChannelsTable::cdsChannelsPressurePresetGetText(int row) const {
  return TemperatureAndPressure(row) ? FloatFieldText(Row(row).PressurePreset, kPressurePrecision)
                                     : kDashes;
}

QString ChannelsTable::cdsChannelsTestOfLineGetText(int row) const {
  const ChannelRow& r = Row(row);
  const bool shown = Flow(row) && (TypeCode() >= kCircuitFamilyCode ||
                                   (TypeCode() == kL3FamilyCode && state_.SubVersion != 0) ||
                                   (!IsOptionalChannel(row) && r.Ticks == 1));
  return shown ? YesNoText(r.TestOfLine ? 1 : 0) : kDashes;
}

QString ChannelsTable::cdsChannelsgminGetText(int row) const {
  return Flow(row) && !IsOptionalChannel(row) ? FormatFlow(Row(row).gmin) : kDashes;
}

QString ChannelsTable::cdsChannelsgmintestGetText(int row) const {
  return Flow(row) && !IsOptionalChannel(row) ? YesNoText(Row(row).gmintest ? 1 : 0) : kDashes;
}

QString ChannelsTable::cdsChannelsgthGetText(int row) const {
  const ChannelRow& r = Row(row);
  return Flow(row) && !IsOptionalChannel(row) ? FormatFlow(r.gmin / (r.gth + 1)) : kDashes;
}

// --- Text setters ----------------------------------------------------------------------------

bool ChannelsTable::cdsChannelsDySetText(int row, const QString& text) {
  const auto group = DiameterTexts().indexOf(text);
  if (group < 0)
    return false;
  Fields(row).Dy = static_cast<int16_t>(group);
  return true;
}

bool ChannelsTable::cdsChannelsTicksSetText(int row, const QString& text) {
  const auto position = TicksTexts(row).indexOf(text);
  if (position < 0)
    return false;
  // The old format picks codes 0..2, the new one codes 1..3.
  Fields(row).Ticks = static_cast<int16_t>(selection_.OldFormat() ? position : position + 1);
  return true;
}

bool ChannelsTable::cdsChannelsPresettingTemperatureSetText(int row, const QString& text) {
  const bool agreed = text == kAgreed;
  if (selection_.OldFormat()) {
    Fields(row).PresettingTemperature = agreed;
  } else {
    // The new format keeps one agreed-temperature flag for all channels.
    for (ChannelRow& r : rows_)
      r.PresettingTemperature = agreed;
  }
  return true;
}

bool ChannelsTable::cdsChannelsTemperaturePresetSetText(int row, const QString& text) {
  const double value = AgreedValue(text);
  CheckAgreedTemperature(selection_.OldFormat(), value, QString::fromLatin1(kChannelGridName));
  Fields(row).TemperaturePreset = value;
  return true;
}

bool ChannelsTable::cdsChannelsPressurePresetSetText(int row, const QString& text) {
  const double value = AgreedValue(text);
  CheckAgreedPressure(selection_.OldFormat(), value, QString::fromLatin1(kChannelGridName));
  Fields(row).PressurePreset = value;
  return true;
}

bool ChannelsTable::cdsChannelsTestOfLineSetText(int row, const QString& text) {
  if (!Flow(row))
    return false;
  if (TypeCode() < kCircuitFamilyCode && (IsOptionalChannel(row) || Row(row).Ticks != 1))
    return false;
  Fields(row).TestOfLine = text == kNo;
  return true;
}

bool ChannelsTable::cdsChannelsgminSetText(int row, const QString& text) {
  const std::optional<double> typed = ParseDecimal(text);
  if (!typed) {
    SnapGmin(row, kUnreadableThreshold);
    return true;
  }
  // The text of a threshold as the cell shows it stands for exactly that threshold: snapping
  // the rounded text on its own could land on a neighbouring code, so that a threshold read
  // from the instrument and written back unedited would move.
  if (const std::optional<double> shown = ThresholdShownAs(row, *typed)) {
    Fields(row).gmin = *shown;
    return true;
  }
  SnapGmin(row, *typed);
  return true;
}

bool ChannelsTable::cdsChannelsgmintestSetText(int row, const QString& text) {
  Fields(row).gmintest = text == kNo;
  return true;
}

bool ChannelsTable::cdsChannelsgthSetText(int row, const QString& text) {
  const auto position = GthTexts(row).indexOf(text);
  if (position < 0)
    return false;
  Fields(row).gth = static_cast<int>(position);
  return true;
}

void ChannelsTable::SnapGmin(int row, double value) {
  ChannelRow& r = Fields(row);
  if (selection_.type == nullptr) {
    r.gmin = value;
    return;
  }
  const uint8_t code =
      EncodeFlowThreshold(*selection_.type, state_.SubVersion, r.Dy, r.Ticks, value);
  r.gmin = DecodeFlowThreshold(*selection_.type, r.Dy, r.Ticks, code);
}

std::optional<double> ChannelsTable::ThresholdShownAs(int row, double typed) const {
  if (selection_.type == nullptr || !(typed > 0))
    return std::nullopt;
  const TDeviceRecord& type = *selection_.type;
  const ChannelRow& r = Row(row);
  const QLocale locale;
  const auto shownValue = [&locale](double threshold) {
    return ParseDecimal(FormatFlow(threshold, locale), locale);
  };
  // The thresholds the row can store, as the codes that encode back to themselves. Only those
  // near the typed value can show the same text (two significant digits: within 5 %).
  const auto representable = [&](uint8_t code) {
    return EncodeFlowThreshold(type, state_.SubVersion, r.Dy, r.Ticks,
                               DecodeFlowThreshold(type, r.Dy, r.Ticks, code)) == code;
  };
  const auto showsTyped = [&](double threshold) {
    return std::abs(threshold / typed - 1) <= kShownTextTolerance && shownValue(threshold) == typed;
  };

  // The row's own threshold first, so that entering the text the cell shows changes nothing;
  // then the code the typed value snaps to; then the closest other code that shows the text.
  const uint8_t current = EncodeFlowThreshold(type, state_.SubVersion, r.Dy, r.Ticks, r.gmin);
  if (DecodeFlowThreshold(type, r.Dy, r.Ticks, current) == r.gmin && showsTyped(r.gmin))
    return r.gmin;
  const uint8_t snapped = EncodeFlowThreshold(type, state_.SubVersion, r.Dy, r.Ticks, typed);
  const double snappedValue = DecodeFlowThreshold(type, r.Dy, r.Ticks, snapped);
  if (showsTyped(snappedValue))
    return snappedValue;
  std::optional<double> closest;
  for (int code = 0; code <= std::numeric_limits<uint8_t>::max(); ++code) {
    const double threshold = DecodeFlowThreshold(type, r.Dy, r.Ticks, static_cast<uint8_t>(code));
    if (!(threshold > 0) || !showsTyped(threshold) || !representable(static_cast<uint8_t>(code)))
      continue;
    if (!closest || std::abs(threshold - typed) < std::abs(*closest - typed))
      closest = threshold;
  }
  return closest;
}

void ChannelsTable::ResnapGmin(int row) {
  SnapGmin(row, Row(row).gmin);
  cdsChannelsgminChange(row);
}

// --- Change handlers -------------------------------------------------------------------------

void ChannelsTable::cdsChannelsDyChange(int row) {
  RefreshTicksList();
  ResnapGmin(row);
  Repaint();
}

void ChannelsTable::cdsChannelsTicksChange(int row) {
  ResnapGmin(row);
  Repaint();
}

void ChannelsTable::cdsChannelsgminChange(int /*row*/) {
  RefreshTicksList();
  Repaint();
}

}  // namespace vrx
