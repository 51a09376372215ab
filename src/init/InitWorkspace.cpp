#include "init/InitWorkspace.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "model/ChannelFlags.h"
#include "model/CodeTexts.h"

namespace vrx {

namespace {

// The model start-up selects: "VRX-L12-1.0".
constexpr int kStartTypeIndex = 22;
// cbDeviceTypeChange assumes the newest firmware until an instrument is identified.
constexpr uint8_t kAssumedSubVersion = 30;
// Type codes from this one on (VRX-L13 7, VRX-L12 8) have the threshold tests and circuits.
constexpr int kCircuitFamilyCode = 7;

// Indexes of the option lists.
constexpr int kVolumeItem = 1;       // cbGGoDim, cbLCMeasurement
constexpr int kMassItem = 0;         // cbLCMeasurement
constexpr int kTransducerItem = 1;   // cbLCType; item 0 is the water meter
constexpr int kFlowTestYesItem = 0;  // cbgth "Есть"

// Flag bit of a channel row: temperature and pressure are measured.
constexpr int32_t kTemperatureBit = 2;

QStringList MonthNames() {
  return {QStringLiteral("Январь"),  QStringLiteral("Февраль"), QStringLiteral("Март"),
          QStringLiteral("Апрель"),  QStringLiteral("Май"),     QStringLiteral("Июнь"),
          QStringLiteral("Июль"),    QStringLiteral("Август"),  QStringLiteral("Сентябрь"),
          QStringLiteral("Октябрь"), QStringLiteral("Ноябрь"),  QStringLiteral("Декабрь")};
}

ListState List(QStringList items, int index, QString caption = {}) {
  ListState list;
  list.items = std::move(items);
  list.index = index;
  list.caption = std::move(caption);
  return list;
}

EditState Edit(const char* text, int maxLength) {
  EditState edit;
  edit.text = QString::fromUtf8(text);
  edit.maxLength = maxLength;
  return edit;
}

QString ThirdChannelCaption(int channelCount) {
  switch (channelCount) {
    case 3:
      return QStringLiteral("Включить третий канал");
    case 4:
      return QStringLiteral("Включить четвёртый канал");
    case 5:
      return QStringLiteral("Включить пятый канал");
    default:
      return {};
  }
}

}  // namespace

InitWorkspace::Batch::~Batch() {
  if (--workspace_.batchDepth_ == 0 && workspace_.pending_) {
    workspace_.pending_ = false;
    emit workspace_.changed();
  }
}

InitWorkspace::InitWorkspace(ConnectionState& state, QObject* parent)
    : QObject(parent), state_(state), channels_(selection_, state_, controls_.cbLCType, editing_) {
  channels_.SetRepaintHook([this] { NotifyChanged(); });
  SetInitialState();
}

InitWorkspace::Snapshot InitWorkspace::Save() const {
  return {controls_, selection_,       channels_.Rows(), channels_.CurrentRow(),
          circuits_, state_.SubVersion};
}

void InitWorkspace::Restore(const Snapshot& snapshot) {
  Batch batch(*this);
  NotifyChanged();
  const bool otherScheme = selection_.scheme != snapshot.selection.scheme;
  controls_ = snapshot.controls;
  selection_ = snapshot.selection;
  circuits_ = snapshot.circuits;
  state_.SubVersion = snapshot.subVersion;
  channels_.Restore(snapshot.channels, snapshot.currentChannel);
  if (otherScheme && schemePicture_)
    schemePicture_();
}

void InitWorkspace::NotifyChanged() {
  if (batchDepth_ > 0) {
    pending_ = true;
  } else {
    emit changed();
  }
}

void InitWorkspace::SetInitialState() {
  InitTabControls& c = controls_;
  c.cbDeviceType.caption = QStringLiteral("Тип прибора:");
  c.cbCountingScheme.caption = QStringLiteral("№ измерительной схемы:");
  c.DevNoEdit = Edit("1", 5);
  c.DevAddrEdit = Edit("1", 2);
  c.cwGroup.caption = QStringLiteral("Холодная вода");
  c.summerTcwEdit = Edit("5", 4);
  c.winterTcwEdit = Edit("5", 4);
  c.tcwPressureEdit = Edit("5", 4);
  c.cbSummerDst = List(MonthNames(), 2);
  c.cbWinterDst = List(MonthNames(), 9);
  c.cbQWDim = List({QStringLiteral("Размерность Q, ГДж (W, ГДж/ч)"),
                    QStringLiteral("Размерность Q, ГКал (W, ГКал/ч)")},
                   0);
  c.cbGGoDim = List({QStringLiteral("Измерение массы G, т (g, т/ч)"),
                     QStringLiteral("Измерение объёма Go, м3 (go, м3/ч)")},
                    0);
  c.cbTermType = List({QStringLiteral("1,391"), QStringLiteral("1,385")}, 0);
  c.cbThirdChannel = CheckState{};
  c.plLC.visible = false;
  c.cbLCType = List({QStringLiteral("Водосчётчик"), QStringLiteral("Преобразователь FLX-2")},
                    kTransducerItem);
  c.cbLCMeasurement = List(
      {QStringLiteral("Измерение массы, т (т/ч)"), QStringLiteral("Измерение объема, м3 (м3/ч)")},
      kMassItem);
  c.cbgth = List({QStringLiteral("Есть"), QStringLiteral("Нет")}, kFlowTestYesItem,
                 QStringLiteral("Контроль g < gпор:"));
  c.cbReaction = List({QStringLiteral("Останов счёта по трубопроводу"),
                       QStringLiteral("Останов счёта по тепловому вводу")},
                      0);
  c.cbUsePresetP.caption = QStringLiteral("Использовать договорное P в расчётах");
  c.GroupBox2.caption = QStringLiteral("Каналы");
  c.DBGrid1.columnVisible.assign(ChannelsTable::kGridColumnCount, true);
  c.DBGrid2.columnVisible.assign(kCircuitColumnCount, true);
  c.CheckBox1.caption = QStringLiteral("Стирать архив");
  c.bbInitialize.caption = QStringLiteral("Провести инициализацию");
}

void InitWorkspace::Start() {
  Batch batch(*this);
  NotifyChanged();
  QStringList names;
  for (const TDeviceRecord& type : DeviceTypes())
    names << QString::fromLatin1(type.Name);
  controls_.cbDeviceType.items = names;
  controls_.cbDeviceType.index = kStartTypeIndex;
  cbDeviceTypeChange();
}

void InitWorkspace::cbDeviceTypeChange() {
  Batch batch(*this);
  NotifyChanged();
  InitTabControls& c = controls_;
  if (!c.cbDeviceType.HasSelection())
    return;
  const TDeviceRecord& type = DeviceTypeAt(c.cbDeviceType.index + 1);
  const TFamilyRecord& family = FamilyAt(FamilyLookup(type.Code));
  selection_.type = &type;
  selection_.family = &family;
  state_.SubVersion = kAssumedSubVersion;

  const bool old = family.IsL1Family != 0;
  const bool circuitModel = type.Code >= kCircuitFamilyCode;
  c.cbTermType.visible = !old;
  for (ChannelField field : {ChannelField::Dy, ChannelField::TestOfLine, ChannelField::gmin})
    c.DBGrid1.SetColumnVisible(ChannelsTable::GridColumnOf(field), !old);
  for (ChannelField field : {ChannelField::gmintest, ChannelField::gth})
    c.DBGrid1.SetColumnVisible(ChannelsTable::GridColumnOf(field), circuitModel);
  c.wLab.visible = old;
  c.wLab.caption = QStringLiteral("= ") + SensorCoefficientText(family.Code);
  c.plN5.visible = type.IsL5 != 0;
  c.cbUsePresetP.visible = type.IsL5 != 0 && (type.MinorVersion == 1 || type.MinorVersion == 2);
  c.DBGrid2.visible = family.Code >= kCircuitFamilyCode;
  c.plLC.visible = old;
  c.cbThirdChannel.caption = ThirdChannelCaption(family.ChannelCount);

  const int remembered = c.cbCountingScheme.index;
  QStringList items;
  const size_t offered =
      std::min(family.Schemes.size(), static_cast<size_t>(std::max(type.SchemeCount, 0)));
  for (size_t i = 0; i < offered; ++i) {
    const TSchemeRecord& scheme = family.Schemes[i];
    const QString number = QString::number(scheme.SchemeNumber);
    items << number;
    if (type.IsL5 != 0 && HasFVariant(scheme))
      items << QStringLiteral("F") + number;
  }
  c.cbCountingScheme.items = items;
  c.cbCountingScheme.index = remembered;
  if (!c.cbCountingScheme.HasSelection())
    c.cbCountingScheme.index = items.isEmpty() ? -1 : 0;
  CountingSchemeChanged();
}

void InitWorkspace::CountingSchemeChanged() {
  Batch batch(*this);
  NotifyChanged();
  InitTabControls& c = controls_;
  if (!c.cbCountingScheme.HasSelection() || selection_.type == nullptr) {
    selection_.scheme = nullptr;
    selection_.fVariant = false;
    c.cwGroup.visible = false;
    c.GroupBox2.visible = false;
    c.bbInitialize.visible = false;
    return;
  }
  const auto [position, fVariant] =
      ListPositionToScheme(*selection_.type, c.cbCountingScheme.index + 1);
  selection_.scheme = &selection_.family->Schemes[static_cast<size_t>(position - 1)];
  selection_.fVariant = fVariant;

  c.cwGroup.visible = !selection_.SchemeHas(kFlagNoColdWater);
  const bool massVolume = selection_.SchemeHas(kFlagMassVolumeChoice);
  c.cbQWDim.visible = !massVolume;
  c.cbGGoDim.visible = massVolume;
  cbGGoDimChange();

  if (fVariant)
    c.cbgth.index = kFlowTestYesItem;
  c.cbgth.enabled = !fVariant;
  c.plReaction.visible = fVariant;

  const bool secondCircuit = selection_.SchemeHas(kFlagSecondCircuit);
  c.DBGrid2.SetColumnVisible(static_cast<int>(CircuitColumn::Circuit2Test), secondCircuit);
  c.DBGrid2.SetColumnVisible(static_cast<int>(CircuitColumn::Circuit2R), secondCircuit);

  {
    TableEditingFlag::Scope editing(editing_);
    channels_.Empty();
    for (int channel = 1; channel <= selection_.ChannelCount(); ++channel) {
      if (ChannelKind(channel, selection_.scheme->Flags) != 0)
        AppendDefaultRow(channel);
    }
    circuits_.Rebuild(selection_.scheme);
    channels_.First();
  }

  c.plThirdChannel.visible = !selection_.SchemeHas(kFlagFixedLastChannel);
  cbThirdChannelClick();

  c.GroupBox2.visible = true;
  c.bbInitialize.visible = true;
  if (schemePicture_)
    schemePicture_();
}

void InitWorkspace::AppendDefaultRow(int channel) {
  ChannelRow row;
  row.ChannelNo = static_cast<int16_t>(channel);
  row.Flags = ChannelKind(channel, selection_.scheme->Flags);
  if (channels_.AppendRow(row))
    channels_.ResnapGmin(channels_.RowCount() - 1);
}

void InitWorkspace::cbGGoDimChange() {
  Batch batch(*this);
  NotifyChanged();
  const bool volume =
      selection_.SchemeHas(kFlagMassVolumeChoice) && controls_.cbGGoDim.index == kVolumeItem;
  for (ChannelField field : {ChannelField::PresettingTemperature, ChannelField::TemperaturePreset,
                             ChannelField::PressurePreset}) {
    controls_.DBGrid1.SetColumnVisible(ChannelsTable::GridColumnOf(field), !volume);
  }
}

void InitWorkspace::cbThirdChannelClick() {
  Batch batch(*this);
  NotifyChanged();
  if (selection_.scheme == nullptr || selection_.SchemeHas(kFlagFixedLastChannel))
    return;
  InitTabControls& c = controls_;
  const bool checked = c.cbThirdChannel.checked;
  const int count = selection_.ChannelCount();
  {
    TableEditingFlag::Scope editing(editing_);
    channels_.Last();
    const int last = channels_.CurrentRow();
    const int lastChannel = last >= 0 ? channels_.Row(last).ChannelNo : 0;
    if (checked && lastChannel < count) {
      AppendDefaultRow(count);
    } else if (!checked && lastChannel == count) {
      channels_.DeleteRow(last);
    }
  }
  channels_.First();

  if (selection_.OldFormat()) {
    c.cbLCType.enabled = checked;
    if (checked) {
      cbLCTypeChange();
      cbLCMeasurementChange();
    } else {
      c.cbLCMeasurement.enabled = false;
    }
  }
}

void InitWorkspace::cbLCTypeChange() {
  Batch batch(*this);
  NotifyChanged();
  InitTabControls& c = controls_;
  c.cbLCMeasurement.enabled = c.cbLCType.index == kTransducerItem;
  if (!c.cbLCMeasurement.enabled) {
    c.cbLCMeasurement.index = kVolumeItem;
    cbLCMeasurementChange();
  }
  channels_.RefreshTicksList();
}

void InitWorkspace::cbLCMeasurementChange() {
  Batch batch(*this);
  NotifyChanged();
  const int current = channels_.CurrentRow();
  const int last = channels_.RowCount() - 1;
  // Only the VRX-L1 optional channel follows the measurement list: with the optional channel
  // off (or fixed by the scheme) the last row is an ordinary channel and keeps its flags.
  if (selection_.OldFormat() && last >= 0 && channels_.IsOptionalChannel(last)) {
    ChannelRow& row = channels_.Fields(last);
    if (controls_.cbLCMeasurement.index == kVolumeItem) {
      row.Flags &= ~kTemperatureBit;
    } else if (controls_.cbLCMeasurement.index == kMassItem) {
      row.Flags |= kTemperatureBit;
    }
  }
  channels_.SetCurrentRow(current);
}

void InitWorkspace::RemoveSchemeItem(int index) {
  Batch batch(*this);
  ListState& list = controls_.cbCountingScheme;
  if (index < 0 || index >= list.items.size())
    return;
  NotifyChanged();
  const bool selected = index == list.index;
  list.items.removeAt(index);
  if (selected) {
    list.index = -1;
    CountingSchemeChanged();
  } else if (index < list.index) {
    --list.index;
  }
}

bool InitWorkspace::SetCircuitText(int row, CircuitColumn column, const QString& text) {
  const bool taken = circuits_.SetText(row, column, text);
  NotifyChanged();
  return taken;
}

void InitWorkspace::KeepReading(InstrumentReading reading) {
  reading_ = std::move(reading);
  NotifyChanged();
}

void InitWorkspace::KeepComparison(TemplateComparison comparison) {
  if (!reading_)
    throw std::logic_error("a template is compared with a reading only");
  reading_->comparison = std::move(comparison);
  NotifyChanged();
}

}  // namespace vrx
