#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <utility>

#include "init/ChannelsTable.h"
#include "init/CircuitsTable.h"
#include "init/ControlState.h"
#include "init/InstrumentReading.h"
#include "init/TableEditingFlag.h"
#include "init/UiSelection.h"
#include "link/ConnectionState.h"

namespace vrx {

// The tab "Инициализация VRX" without its widgets: the state of every control, the UI
// selection, the channel and circuit tables, and the handlers of the model and scheme rules.
//
// The view mirrors Controls() and the two tables into its widgets. For a user event it writes
// the new value into Controls() (a list's index, a box's checked state, an edit's text) and
// calls the matching handler, as the event would; cell edits go through cdsChannels().SetText
// and SetCircuitText. After every change the workspace emits changed() once.
class InitWorkspace : public QObject {
  Q_OBJECT

 public:
  // cbDeviceTypeChange sets SubVersion of the connection state, which the threshold rules read.
  explicit InitWorkspace(ConnectionState& state, QObject* parent = nullptr);

  // Start-up: fills the model list with the 34 type names, selects "VRX-L12-1.0" (index 22)
  // and runs cbDeviceTypeChange.
  void Start();

  InitTabControls& Controls() { return controls_; }
  const InitTabControls& Controls() const { return controls_; }
  const UiSelection& Selection() const { return selection_; }
  ChannelsTable& cdsChannels() { return channels_; }
  const ChannelsTable& cdsChannels() const { return channels_; }
  CircuitsTable& cdsCircuits() { return circuits_; }
  const CircuitsTable& cdsCircuits() const { return circuits_; }
  TableEditingFlag& Editing() { return editing_; }
  ConnectionState& State() { return state_; }
  const ConnectionState& State() const { return state_; }

  // Called by CountingSchemeChanged after every scheme it selects; the view keeps that scheme
  // for the picture window and shows it there when the window is open.
  void SetSchemePictureHook(std::function<void()> hook) { schemePicture_ = std::move(hook); }

  // --- Handlers of the model and scheme rules -------------------------------------------------
  // After a change of cbDeviceType.
  void cbDeviceTypeChange();
  // After a change of cbCountingScheme; rebuilds both tables with default rows.
  void CountingSchemeChanged();
  void cbGGoDimChange();
  void cbThirdChannelClick();
  void cbLCTypeChange();
  void cbLCMeasurementChange();

  // Removes an item of the scheme list. When it was the selected one nothing is selected
  // afterwards and CountingSchemeChanged runs, so the groups of the lost scheme are hidden.
  void RemoveSchemeItem(int index);

  // A cell edit of the circuits grid; false when the text is in none of the cell's lists.
  bool SetCircuitText(int row, CircuitColumn column, const QString& text);
  // Grid keys may add or remove circuit rows only while the table-editing flag is set.
  bool cdsCircuitsBeforeInsert() const { return editing_.IsSet(); }
  bool cdsCircuitsBeforeDelete() const { return editing_.IsSet(); }

  // Everything the tab holds, kept before a change of many steps (a template) and put back when
  // one of them is refused, so the tab never shows half of it.
  struct Snapshot {
    InitTabControls controls;
    UiSelection selection;
    std::vector<ChannelRow> channels;
    int currentChannel = -1;
    CircuitsTable circuits;
    uint8_t subVersion = 0;
  };
  Snapshot Save() const;
  void Restore(const Snapshot& snapshot);

  // What the instrument held when the tab last showed it (KeepReading of InstrumentReading.h);
  // none before the first reading of the run.
  const std::optional<InstrumentReading>& Reading() const { return reading_; }
  void KeepReading(InstrumentReading reading);
  // Keeps a comparison of the last reading with a template; the tab marks its fields.
  void KeepComparison(TemplateComparison comparison);

  // Reports a change the view has to show; inside a Batch it is reported when the batch ends.
  void NotifyChanged();

  // Groups notifications: changed() is emitted once when the outermost batch ends.
  class Batch {
   public:
    explicit Batch(InitWorkspace& workspace) : workspace_(workspace) { ++workspace_.batchDepth_; }
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    InitWorkspace& workspace_;
  };

 signals:
  // Some control state, row or pick list changed; the view refreshes what it shows.
  void changed();

 private:
  void SetInitialState();
  // Appends the default row of a channel with the scheme's flow and temperature bits.
  void AppendDefaultRow(int channel);

  ConnectionState& state_;
  InitTabControls controls_;
  UiSelection selection_;
  TableEditingFlag editing_;
  ChannelsTable channels_;
  CircuitsTable circuits_;
  std::function<void()> schemePicture_;
  std::optional<InstrumentReading> reading_;
  int batchDepth_ = 0;
  bool pending_ = false;
};

}  // namespace vrx
