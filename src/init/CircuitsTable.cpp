#include "init/CircuitsTable.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "model/ChannelFlags.h"

namespace vrx {

namespace {

const QString kDashes = QStringLiteral("----");
const QString kYes = QStringLiteral("Есть");
const QString kStopCircuit = QStringLiteral("Останов счёта контура");

const QStringList& TestList() {
  static const QStringList list{kYes, QStringLiteral("Нет")};
  return list;
}

enum class Reactions : uint8_t { Row1, Rows234, RowsAE, RowsCF, RowJ };

const QStringList& ReactionList(Reactions reactions) {
  static const std::array<QStringList, 5> lists{
      QStringList{QStringLiteral("Останов счёта канала"), kStopCircuit},
      QStringList{QStringLiteral("Разрешение счёта масс"), kStopCircuit},
      QStringList{QStringLiteral("Нет реакции"), QStringLiteral("Коррекция масс")},
      QStringList{QStringLiteral("Нет реакции"), QStringLiteral("Коррекция масс"), kStopCircuit},
      QStringList{QStringLiteral("g = 0"), kStopCircuit},
  };
  return lists[static_cast<size_t>(reactions)];
}

// How a row shows and stores its two fields per circuit.
enum class RowKind : uint8_t {
  Bit,     // rows "1".."4": one bit of the circuit byte; the test is not the user's choice
  Tested,  // rows "A", "C", "E", "F": a two-bit field, 3 for "no test"
  Always,  // row "J": one bit of the last channel's byte, always allowed
};

// What the test cell of a row without a test choice shows.
enum class FixedTest : uint8_t { Dashes, Yes };

struct RowRule {
  const char* code;
  RowKind kind;
  int governing;  // index of the CircuitTests byte, -1 for none
  Reactions reactions;
  FixedTest fixedTest;
  bool fallbackStop;  // a disallowed reaction cell shows "Останов счёта контура", else "----"
  int place;  // circuit-1 bit (Bit, Always) or shift (Tested)
};

constexpr std::array<RowRule, CircuitsTable::kRowCount> kRows = {{
    {"1", RowKind::Bit, 1, Reactions::Row1, FixedTest::Dashes, true, 3},
    {"2", RowKind::Bit, 2, Reactions::Rows234, FixedTest::Yes, true, 2},
    {"3", RowKind::Bit, 3, Reactions::Rows234, FixedTest::Yes, false, 1},
    {"4", RowKind::Bit, 4, Reactions::Rows234, FixedTest::Yes, false, 0},
    {"A", RowKind::Tested, 0, Reactions::RowsAE, FixedTest::Dashes, false, 0},
    {"C", RowKind::Tested, 0, Reactions::RowsCF, FixedTest::Dashes, false, 2},
    {"E", RowKind::Tested, 1, Reactions::RowsAE, FixedTest::Dashes, false, 4},
    {"F", RowKind::Tested, 1, Reactions::RowsCF, FixedTest::Dashes, false, 6},
    {"J", RowKind::Always, -1, Reactions::RowJ, FixedTest::Dashes, false, 4},
}};

constexpr int kNoTest = 3;
constexpr int kLastChannelThresholdBit = 6;
constexpr int kOptionCircuit1Bit = 5;
constexpr int kOptionCircuit2Bit = 6;

bool IsTestColumn(CircuitColumn column) {
  return column == CircuitColumn::Circuit1Test || column == CircuitColumn::Circuit2Test;
}

int CircuitOf(CircuitColumn column) {
  return column == CircuitColumn::Circuit1Test || column == CircuitColumn::Circuit1R ? 1 : 2;
}

QString EntryOrEmpty(const QStringList& list, int index) {
  return index >= 0 && index < list.size() ? list[index] : QString();
}

const RowRule& RuleOf(int row) {
  if (row < 0 || row >= CircuitsTable::kRowCount) {
    throw std::out_of_range("circuits row " + std::to_string(row));
  }
  return kRows[static_cast<size_t>(row)];
}

bool CircuitsInImage(const SettingsImage& image, int* circuits) {
  switch (image.Model()) {
    case ImageModel::L12:
      *circuits = 1;
      return true;
    case ImageModel::L13:
      *circuits = 2;
      return true;
    default:
      return false;
  }
}

}  // namespace

void CircuitsTable::Rebuild(const TSchemeRecord* scheme) {
  scheme_ = scheme;
  rows_.clear();
  for (const RowRule& rule : kRows) {
    rows_.push_back({QString::fromLatin1(rule.code), 1, 0, 1, 0});
  }
}

const CircuitRow& CircuitsTable::Row(int row) const {
  if (row < 0 || row >= RowCount()) {
    throw std::out_of_range("circuits row " + std::to_string(row));
  }
  return rows_[static_cast<size_t>(row)];
}

int CircuitsTable::Value(int row, CircuitColumn column) const {
  const CircuitRow& r = Row(row);
  switch (column) {
    case CircuitColumn::Circuit1Test:
      return r.Circuit1Test;
    case CircuitColumn::Circuit1R:
      return r.Circuit1R;
    case CircuitColumn::Circuit2Test:
      return r.Circuit2Test;
    case CircuitColumn::Circuit2R:
      return r.Circuit2R;
    case CircuitColumn::Err:
      break;
  }
  return 0;
}

void CircuitsTable::SetValue(int row, CircuitColumn column, int value) {
  Row(row);  // range check
  CircuitRow& r = rows_[static_cast<size_t>(row)];
  const auto v = static_cast<int16_t>(value);
  switch (column) {
    case CircuitColumn::Circuit1Test:
      r.Circuit1Test = v;
      break;
    case CircuitColumn::Circuit1R:
      r.Circuit1R = v;
      break;
    case CircuitColumn::Circuit2Test:
      r.Circuit2Test = v;
      break;
    case CircuitColumn::Circuit2R:
      r.Circuit2R = v;
      break;
    case CircuitColumn::Err:
      break;
  }
}

uint8_t CircuitsTable::CircuitTestsByte(int index) const {
  return scheme_ == nullptr ? 0 : scheme_->CircuitTests[static_cast<size_t>(index)];
}

bool CircuitsTable::Allowed(int row, int circuit) const {
  const RowRule& rule = RuleOf(row);
  if (rule.governing < 0) {
    return true;
  }
  return ((CircuitTestsByte(rule.governing) >> (circuit == 1 ? 0 : 4)) & 1) != 0;
}

QString CircuitsTable::Text(int row, CircuitColumn column) const {
  const CircuitRow& r = Row(row);
  if (column == CircuitColumn::Err) {
    return r.Err;
  }
  const RowRule& rule = RuleOf(row);
  const int circuit = CircuitOf(column);
  const bool allowed = Allowed(row, circuit);
  const int test =
      Value(row, circuit == 1 ? CircuitColumn::Circuit1Test : CircuitColumn::Circuit2Test);
  const int reaction =
      Value(row, circuit == 1 ? CircuitColumn::Circuit1R : CircuitColumn::Circuit2R);
  const QString reactionText = EntryOrEmpty(ReactionList(rule.reactions), reaction);

  if (rule.kind == RowKind::Tested) {
    if (IsTestColumn(column)) {
      return allowed ? EntryOrEmpty(TestList(), test) : kDashes;
    }
    return allowed && test == 0 ? reactionText : kDashes;
  }
  if (IsTestColumn(column)) {
    return rule.fixedTest == FixedTest::Yes ? kYes : kDashes;
  }
  if (allowed) {
    return reactionText;
  }
  return rule.fallbackStop ? kStopCircuit : kDashes;
}

bool CircuitsTable::SetText(int row, CircuitColumn column, const QString& text) {
  Row(row);  // range check
  if (column == CircuitColumn::Err) {
    return false;
  }
  const RowRule& rule = RuleOf(row);
  const QStringList& list = rule.kind == RowKind::Tested && IsTestColumn(column)
                                ? TestList()
                                : ReactionList(rule.reactions);
  const int index = static_cast<int>(list.indexOf(text));
  if (index < 0) {
    return false;
  }
  SetValue(row, column, index);
  return true;
}

QStringList CircuitsTable::PickList(int row, CircuitColumn column) const {
  Row(row);  // range check
  if (column == CircuitColumn::Err) {
    return {};
  }
  const RowRule& rule = RuleOf(row);
  if (!Allowed(row, CircuitOf(column))) {
    return {};
  }
  if (!IsTestColumn(column)) {
    return ReactionList(rule.reactions);
  }
  return rule.kind == RowKind::Tested ? TestList() : QStringList();
}

QString CircuitsTable::ColumnTitle(CircuitColumn column) {
  switch (column) {
    case CircuitColumn::Err:
      return QStringLiteral("НС");
    case CircuitColumn::Circuit1Test:
      return QStringLiteral("Контур 1, тест НС");
    case CircuitColumn::Circuit1R:
      return QStringLiteral("Контур 1, реакция на НС");
    case CircuitColumn::Circuit2Test:
      return QStringLiteral("Контур 2, тест НС");
    case CircuitColumn::Circuit2R:
      return QStringLiteral("Контур 2, реакция на НС");
  }
  return {};
}

bool CircuitsTable::GridVisible(const TDeviceRecord& selectedType) {
  return selectedType.Code > 6;
}

bool CircuitsTable::Circuit2ColumnsVisible() const {
  return scheme_ != nullptr && (scheme_->Flags & kFlagSecondCircuit) != 0;
}

void CircuitsTable::ReadFromImage(const SettingsImage& image) {
  int circuits = 0;
  if (!CircuitsInImage(image, &circuits)) {
    return;
  }
  const int schemePos = image.FieldPos(SettingsField::Scheme);
  const int bitsPos = image.FieldPos(CircuitBits);
  const int lastChannelPos = image.FieldPos(ChannelBytes) + image.ChannelCount() - 1;
  for (int row = 0; row < RowCount(); ++row) {
    const RowRule& rule = RuleOf(row);
    for (int circuit = 1; circuit <= circuits; ++circuit) {
      const CircuitColumn testColumn =
          circuit == 1 ? CircuitColumn::Circuit1Test : CircuitColumn::Circuit2Test;
      const CircuitColumn reactionColumn =
          circuit == 1 ? CircuitColumn::Circuit1R : CircuitColumn::Circuit2R;
      switch (rule.kind) {
        case RowKind::Bit:
          SetValue(row, reactionColumn, image.GetBit(bitsPos, rule.place + 4 * (circuit - 1)));
          break;
        case RowKind::Always:
          SetValue(row, reactionColumn, image.GetBit(lastChannelPos, rule.place + circuit - 1));
          break;
        case RowKind::Tested: {
          const int v = image.GetPair(schemePos + circuit, rule.place);
          const int maxReaction = static_cast<int>(ReactionList(rule.reactions).size()) - 1;
          SetValue(row, testColumn, v == kNoTest ? 1 : 0);
          SetValue(row, reactionColumn, std::min(v, maxReaction));
          break;
        }
      }
    }
  }
}

void CircuitsTable::WriteToImage(SettingsImage& image) const {
  int circuits = 0;
  if (!CircuitsInImage(image, &circuits)) {
    return;
  }
  const int schemePos = image.FieldPos(SettingsField::Scheme);
  const int bitsPos = image.FieldPos(CircuitBits);
  const int lastChannelPos = image.FieldPos(ChannelBytes) + image.ChannelCount() - 1;
  const int optionsPos = image.FieldPos(Options);

  image.SetBit(lastChannelPos, kLastChannelThresholdBit, true);
  const uint8_t third = CircuitTestsByte(2);
  image.SetBit(optionsPos, kOptionCircuit1Bit, (third & 0x01) == 0);
  image.SetBit(optionsPos, kOptionCircuit2Bit, (third & 0x10) == 0);

  for (int row = 0; row < RowCount(); ++row) {
    const RowRule& rule = RuleOf(row);
    for (int circuit = 1; circuit <= circuits; ++circuit) {
      const int test =
          Value(row, circuit == 1 ? CircuitColumn::Circuit1Test : CircuitColumn::Circuit2Test);
      const int reaction =
          Value(row, circuit == 1 ? CircuitColumn::Circuit1R : CircuitColumn::Circuit2R);
      const bool allowed = Allowed(row, circuit);
      switch (rule.kind) {
        case RowKind::Bit:
          image.SetBit(bitsPos, rule.place + 4 * (circuit - 1), !allowed || reaction != 0);
          break;
        case RowKind::Always:
          image.SetBit(lastChannelPos, rule.place + circuit - 1, reaction != 0);
          break;
        case RowKind::Tested:
          image.SetPair(schemePos + circuit, rule.place, allowed && test == 0 ? reaction : kNoTest);
          break;
      }
    }
  }
}

}  // namespace vrx
