#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "image/SettingsImage.h"
#include "model/Catalogue.h"

namespace vrx {

// Columns of the circuits table, in grid order.
enum class CircuitColumn : uint8_t { Err, Circuit1Test, Circuit1R, Circuit2Test, Circuit2R };
inline constexpr int kCircuitColumnCount = 5;

// One abnormal situation ("НС") and what each heat circuit does about it. Test 0 means the
// circuit tests for it ("Есть"), 1 that it does not ("Нет"); the reaction is an index into the
// row's reaction list.
struct CircuitRow {
  QString Err;
  int16_t Circuit1Test = 1;
  int16_t Circuit1R = 0;
  int16_t Circuit2Test = 1;
  int16_t Circuit2R = 0;
  bool operator==(const CircuitRow&) const = default;
};

// The circuits table of the VRX-L12 and VRX-L13 (`cdsCircuits`): nine fixed rows whose choices
// depend on the CircuitTests bytes of the selected scheme. It keeps the cell texts, the text
// setter and the pick lists in one place for the grid, and maps the rows to the settings image.
// Rows and columns are counted from 0.
class CircuitsTable {
 public:
  static constexpr int kRowCount = 9;

  // Empty until the first Rebuild.

  // Empties the table and appends the nine rows with both tests "Нет" and both reactions 0;
  // the scheme (none: nullptr) governs the rows from now on.
  void Rebuild(const TSchemeRecord* scheme);
  const TSchemeRecord* Scheme() const { return scheme_; }

  int RowCount() const { return static_cast<int>(rows_.size()); }
  const std::vector<CircuitRow>& Rows() const { return rows_; }
  const CircuitRow& Row(int row) const;

  // The stored number of an editable column (the Err column has none: 0).
  int Value(int row, CircuitColumn column) const;
  void SetValue(int row, CircuitColumn column, int value);

  // What the cell shows ("----" where the cell does not apply).
  QString Text(int row, CircuitColumn column) const;
  // Takes the index of the first equal entry of the cell's list; a text in none of them, and any
  // text for the Err column, leaves the row unchanged and gives false.
  bool SetText(int row, CircuitColumn column, const QString& text);
  // The drop-down choices of the cell (empty when the cell offers none).
  QStringList PickList(int row, CircuitColumn column) const;

  static QString ColumnTitle(CircuitColumn column);
  // The grid belongs to the VRX-L12 and VRX-L13 only.
  static bool GridVisible(const TDeviceRecord& selectedType);
  // The circuit-2 columns are shown when the scheme measures heat circuit 2.
  bool Circuit2ColumnsVisible() const;

  // Loads the rows from the image of a VRX-L12 or VRX-L13 (circuit 2 from a VRX-L13 only); for
  // any other model nothing is read.
  void ReadFromImage(const SettingsImage& image);
  // Stores the rows and the circuit option bits into the image of a VRX-L12 or VRX-L13 (circuit
  // 2 into a VRX-L13 only); any other image is left as it is.
  void WriteToImage(SettingsImage& image) const;

 private:
  // Whether circuit 1 or 2 may test for the situation of the row under the selected scheme.
  bool Allowed(int row, int circuit) const;
  uint8_t CircuitTestsByte(int index) const;

  const TSchemeRecord* scheme_ = nullptr;
  std::vector<CircuitRow> rows_;
};

}  // namespace vrx
