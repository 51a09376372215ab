#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>

namespace vrx {

// What the tab "Инициализация RQ" shows, keyed by the controls' form names: the texts of the
// edits (masked edits as they show, mask literals included), of the two pulse value lists and
// of the three groups (their item text), and of `l1`; the check boxes of the test switches and
// of the effect grid; the track bar's position.
struct Rq7InitForm {
  QMap<QString, QString> texts;
  QMap<QString, bool> checks;
  int TrackBar1 = 0;

  bool operator==(const Rq7InitForm&) const = default;
};

// An edit with an input mask: its form name, the mask as the edit shows it ('0' a digit, any
// other character a literal that is shown but not stored), its default text and the offset of
// its BCD field in the unit's block.
struct Rq7MaskedField {
  const char* name;
  const char* mask;
  const char* defaultText;
  int offset;
};

// The time, volume, alarm and threshold fields. The volumes take 8 digits before the comma:
// the block holds 12 digits of each.
const QList<Rq7MaskedField>& Rq7MaskedFields();

// Items of the pulse value lists `cbPW1` and `cbPW2`, index 0 to 9, and of the groups `rgErr21`,
// `rgErr22`, `rgErr5`.
const QStringList& PulseValueItems();
const QStringList& ErrorGroupItems();
inline const char* const kRq7GroupNames[] = {"rgErr21", "rgErr22", "rgErr5"};
inline const char* const kRq7ListNames[] = {"cbPW1", "cbPW2"};

// The grid " Влияние НС ": row prefixes, errors 1 to 5, groups 1 and 2, e.g. "cbVt31".
QString EffectBoxName(const char* row, int error, int group);
inline const char* const kEffectRows[] = {"cbVt", "cbV2t", "cbte", "cbt2e", "cbOut"};
// The grid's boxes that stand for a bit of the block; all others are disabled. `cbVt11` and
// `cbV2t12` are among them but always checked and disabled.
bool EffectBoxEnabled(const QString& name);
// The test switches of " Включение тестов НС: ".
inline const char* const kTestBoxNames[] = {"cbErr11", "cbErr12", "cbErr31", "cbErr32",
                                            "cbErr41", "cbErr42", "cbErr6"};

// The tab as it starts: default texts, pulse value "0,0001", groups "Выкл", the always-set boxes
// checked, the track bar at 0.
Rq7InitForm DefaultRq7Form();

// `l1` for a track bar position: "5 сек/сутки".
QString TrackBarCaption(int position);

// The form as `vrxctl rq read` prints it and as form files hold it: texts as strings, check
// boxes as booleans, `TrackBar1` as a number.
QJsonObject Rq7FormToJson(const Rq7InitForm& form);
// Applies the keys of a form file as typed into the tab: every key must be a control of the
// tab with a value the control can take (a masked text that fits its mask, a list or group item,
// a track bar position from -20 to 20, an address of at most 2 and a number of at most 5
// characters); a disabled box keeps its state. Moving the track bar updates `l1`. Returns the
// texts of what it refused, nothing when all applied.
QStringList ApplyRq7Json(Rq7InitForm& form, const QJsonObject& json);

}  // namespace vrx
