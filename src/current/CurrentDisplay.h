#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace vrx {

// What the tab "Текущие параметры" shows, without widgets: for every named control its text and
// whether it is visible, plus the two panels that hide whole groups. The view copies it onto its
// widgets; the companion prints it.
class CurrentDisplay {
 public:
  struct Cell {
    QString text;
    bool visible = true;
    bool operator==(const Cell&) const = default;
  };

  // The tab as it is before any readout: the captions of the labels, empty values, the value
  // panel hidden.
  CurrentDisplay();

  // Every control the display keeps, in the order the companion prints them: the left panel,
  // the row and column labels, the clocks and cold-water values, then the channel cells row by
  // row. Each is a static text or a label of the tab.
  static const QStringList& Names();
  // A row of the value panel: its label and, for channels 1 to 5, the name of its cell (empty
  // where the row has none).
  struct Row {
    QString label;
    QStringList cells;
  };
  // The rows from top to bottom: Q, W, G, g, tp, P, t, НС, Ду, dV, Pmax.
  static const std::vector<Row>& Rows();

  // The channel cells alone (every name of a value cell of the grid), in the same order.
  static const QStringList& ValueCellNames();
  // True for the controls that sit on the value panel `plCurParams2`.
  static bool OnValuePanel(const QString& name);

  // Throws std::out_of_range for a name that is not in Names().
  Cell& operator[](const QString& name);
  const Cell& operator[](const QString& name) const;
  void SetText(const QString& name, const QString& text) { (*this)[name].text = text; }
  void SetVisible(const QString& name, bool visible) { (*this)[name].visible = visible; }

  // Whether the control is on screen: its own flag and the panel it sits on.
  bool Shown(const QString& name) const;

  bool valuePanelVisible = false;  // plCurParams2
  bool coldWaterVisible = true;    // plColdWater

  bool operator==(const CurrentDisplay&) const = default;

 private:
  QHash<QString, Cell> cells_;
};

}  // namespace vrx
