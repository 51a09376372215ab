#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "init/ControlState.h"
#include "init/TableEditingFlag.h"
#include "init/UiSelection.h"
#include "link/ConnectionState.h"

namespace vrx {

// Fields of the channel table, in table order.
enum class ChannelField : uint8_t {
  ChannelNo,
  Dy,
  Flags,
  Ticks,
  PresettingTemperature,
  TemperaturePreset,
  PressurePreset,
  TestOfLine,
  gmin,
  gmintest,
  gth,
};

// One measuring channel. The table stores codes; the cells show texts (ChannelsTable::Text).
struct ChannelRow {
  int16_t ChannelNo = 0;
  int16_t Dy = 0;     // nominal diameter group 0..3
  int32_t Flags = 0;  // bit 0 flow, bit 1 temperature and pressure
  int16_t Ticks = 1;  // pulse value code
  bool PresettingTemperature = false;
  double TemperaturePreset = 50;
  double PressurePreset = 5;
  bool TestOfLine = false;  // true: line test off
  double gmin = 225;        // flow threshold, m3/h
  bool gmintest = true;     // true: threshold test off
  int gth = 0;              // the minimum flow is gmin / (gth + 1)

  bool operator==(const ChannelRow&) const = default;
};

// The channel table `cdsChannels` behind the grid DBGrid1: its rows, the cell texts and how
// typed or picked texts become codes, the pick lists of the current row, and the refusal of
// row inserts and deletes while the table-editing flag is clear. Rows are counted from 0.
//
// The cell rules depend on the selected type, family and scheme, on the SubVersion of the
// connection state and on the kind of the optional channel (`cbLCType`); the table reads them
// from the objects it was given, so it is always in step with the tab.
class ChannelsTable {
 public:
  static constexpr int kGridColumnCount = 10;
  // Columns of DBGrid1 in grid order.
  static const std::array<ChannelField, kGridColumnCount>& GridColumns();
  // Position of a field among the grid columns; -1 for Flags, which the grid does not show.
  static int GridColumnOf(ChannelField field);
  static QString FieldName(ChannelField field);
  static std::optional<ChannelField> FieldNamed(const QString& name);
  // The grid's column title.
  static QString ColumnTitle(ChannelField field);

  ChannelsTable(const UiSelection& selection, const ConnectionState& state,
                const ListState& cbLCType, TableEditingFlag& editing);
  ChannelsTable(const ChannelsTable&) = delete;
  ChannelsTable& operator=(const ChannelsTable&) = delete;

  // Called whenever the grid has to be repainted (cell values or pick lists changed).
  void SetRepaintHook(std::function<void()> hook) { repaint_ = std::move(hook); }

  // --- Rows --------------------------------------------------------------------------------
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const std::vector<ChannelRow>& Rows() const { return rows_; }
  const ChannelRow& Row(int row) const;
  // Row index of a channel number; -1 when the table has no such row.
  int FindChannel(int channelNo) const;
  // Direct access to the stored codes for the program (reading an image): no text setter and
  // no change handler runs.
  ChannelRow& Fields(int row);

  // Whether a row may be inserted or deleted now: only while the table-editing flag is set.
  // The grid asks these before it adds or removes a row and drops the request silently.
  bool cdsChannelsBeforeInsert() const { return editing_.IsSet(); }
  bool cdsChannelsBeforeDelete() const { return editing_.IsSet(); }
  // Row changes of the program; each is refused (false, nothing changes) while the flag is clear.
  bool AppendRow(const ChannelRow& row);
  bool DeleteRow(int row);
  bool Empty();
  // Puts back rows kept earlier, with the current row, whatever the table-editing flag says:
  // the program undoing a change that failed half way.
  void Restore(std::vector<ChannelRow> rows, int current);

  // --- Current row -------------------------------------------------------------------------
  // -1 while the table is empty. Moving to another row rebuilds the pick lists; a row out of
  // range goes to the first row. The view calls SetCurrentRow when the grid's current row moves.
  int CurrentRow() const { return current_; }
  void SetCurrentRow(int row);
  void First() { SetCurrentRow(0); }
  void Last() { SetCurrentRow(RowCount() - 1); }

  // The row of the optional channel: the family's last channel when the scheme does not fix it.
  bool IsOptionalChannel(int row) const;

  // --- Cells -------------------------------------------------------------------------------
  // What the cell shows; "----" where the cell does not apply to the row.
  QString Text(int row, ChannelField field) const;
  // Runs the field's text setter on the row, then its change handler, then repaints. The
  // agreed temperature and pressure raise EValidation (focus DBGrid1) for a refused value.
  void SetText(int row, ChannelField field, const QString& text);
  // Cells that apply to the row are editable, except the channel number.
  bool Editable(int row, ChannelField field) const;
  // The drop-down choices of a column; those of Ticks and gth belong to the current row.
  QStringList PickList(ChannelField field) const;
  // Rebuilds the Ticks and gth pick lists for the current row.
  void RefreshTicksList();
  // Passes the row's threshold through the gmin setter, snapping it to a value the instrument
  // can store for the row's diameter group and pulse value.
  void ResnapGmin(int row);

  // --- Text getters and setters of the fields ----------------------------------------------
  QString cdsChannelsDyGetText(int row) const;
  QString cdsChannelsTicksGetText(int row) const;
  QString cdsChannelsPresettingTemperatureGetText(int row) const;
  QString cdsChannelsTemperaturePresetGetText(int row) const;
  QString cdsChannelsPressurePresetGetText(int row) const;
  QString cdsChannelsTestOfLineGetText(int row) const;
  QString cdsChannelsgminGetText(int row) const;
  QString cdsChannelsgmintestGetText(int row) const;
  QString cdsChannelsgthGetText(int row) const;

  // Each returns whether the field took a value (a text that matches nothing is ignored).
  bool cdsChannelsDySetText(int row, const QString& text);
  bool cdsChannelsTicksSetText(int row, const QString& text);
  bool cdsChannelsPresettingTemperatureSetText(int row, const QString& text);
  bool cdsChannelsTemperaturePresetSetText(int row, const QString& text);
  bool cdsChannelsPressurePresetSetText(int row, const QString& text);
  bool cdsChannelsTestOfLineSetText(int row, const QString& text);
  bool cdsChannelsgminSetText(int row, const QString& text);
  bool cdsChannelsgmintestSetText(int row, const QString& text);
  bool cdsChannelsgthSetText(int row, const QString& text);

  // Change handlers.
  void cdsChannelsDyChange(int row);
  void cdsChannelsTicksChange(int row);
  void cdsChannelsgminChange(int row);

 private:
  bool Flow(int row) const { return (Row(row).Flags & 1) != 0; }
  bool TemperatureAndPressure(int row) const { return (Row(row).Flags & 2) != 0; }
  // A VRX-L1 optional channel that is a water meter counts ten times coarser.
  bool WaterMeterRow(int row) const;
  // The three pulse-value texts a row can pick, and the four minimum-flow texts.
  QStringList TicksTexts(int row) const;
  QStringList GthTexts(int row) const;
  int TypeCode() const;
  void SnapGmin(int row, double value);
  // The threshold the row can store whose cell text reads as `typed`; none when no storable
  // threshold shows that text.
  std::optional<double> ThresholdShownAs(int row, double typed) const;
  void Repaint();

  const UiSelection& selection_;
  const ConnectionState& state_;
  const ListState& lcType_;
  TableEditingFlag& editing_;
  std::function<void()> repaint_;
  int setTextDepth_ = 0;
  bool repaintPending_ = false;

  std::vector<ChannelRow> rows_;
  int current_ = -1;
  QStringList ticksPickList_;
  QStringList gthPickList_;
};

}  // namespace vrx
