#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace vrx {

// Plain state of the controls of the tab "Инициализация VRX". The workspace owns it and its
// handlers change it; the view mirrors it into the widgets and writes the user's input back
// before it calls the matching handler. Controls are named by their form names.

// A drop-down list without free text. index -1 means nothing is selected.
struct ListState {
  QStringList items;
  int index = -1;
  bool visible = true;
  bool enabled = true;
  QString caption;  // the label beside the list, where it has one

  bool HasSelection() const { return index >= 0 && index < items.size(); }
  // The selected item's text; empty without a selection.
  QString Text() const { return HasSelection() ? items[index] : QString(); }
  // Selects the item with exactly that text; false (selection unchanged) when there is none.
  bool Select(const QString& text) {
    const int found = static_cast<int>(items.indexOf(text));
    if (found < 0)
      return false;
    index = found;
    return true;
  }
};

// A one-line edit. maxLength limits what the user can type; 0 means no limit.
struct EditState {
  QString text;
  int maxLength = 0;
  bool visible = true;
  bool enabled = true;
};

struct CheckState {
  bool checked = false;
  QString caption;
  bool visible = true;
  bool enabled = true;
};

// A panel, group box, label or button whose visibility (and, for a label, caption) the rules
// decide.
struct PanelState {
  bool visible = true;
  QString caption;
};

// A grid: its own visibility and one visibility flag per column, in column order.
struct GridState {
  bool visible = true;
  std::vector<bool> columnVisible;

  bool ColumnVisible(int column) const {
    return column >= 0 && static_cast<size_t>(column) < columnVisible.size() &&
           columnVisible[static_cast<size_t>(column)];
  }
  void SetColumnVisible(int column, bool visible) {
    if (column >= 0 && static_cast<size_t>(column) < columnVisible.size())
      columnVisible[static_cast<size_t>(column)] = visible;
  }
};

// Every control of the tab whose state the rules, reading and the form file touch.
struct InitTabControls {
  // Model and scheme.
  ListState cbDeviceType;
  ListState cbCountingScheme;
  PanelState wLab;  // "= 1,391" / "= 1,385" beside the model list, VRX-L1 only

  // Instrument number and network address.
  EditState DevNoEdit;
  EditState DevAddrEdit;

  // Cold water (group cwGroup) and the heat unit.
  PanelState cwGroup;
  EditState summerTcwEdit;
  EditState winterTcwEdit;
  EditState tcwPressureEdit;
  ListState cbSummerDst;
  ListState cbWinterDst;
  ListState cbQWDim;
  ListState cbGGoDim;
  ListState cbTermType;

  // The optional channel (plThirdChannel) and, on a VRX-L1, its kind (plLC).
  PanelState plThirdChannel;
  CheckState cbThirdChannel;
  PanelState plLC;
  ListState cbLCType;
  ListState cbLCMeasurement;

  // VRX-L5 options (plN5), the reaction only for an "F" scheme item (plReaction).
  PanelState plN5;
  ListState cbgth;
  PanelState plReaction;
  ListState cbReaction;
  CheckState cbUsePresetP;

  // The channel group with the channel grid, and the circuits grid.
  PanelState GroupBox2;
  GridState DBGrid1;  // columns as ChannelsTable::GridColumns()
  GridState DBGrid2;  // columns as CircuitColumn

  CheckState CheckBox1;  // "Стирать архив"
  PanelState bbInitialize;
};

}  // namespace vrx
