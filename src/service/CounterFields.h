#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "image/SettingsImage.h"

namespace vrx {

// What a counter field of "Установка счетчиков" shows.
enum class CounterFieldState : uint8_t { Hidden, Disabled, Editable };

enum class CounterKind : uint8_t { Time, Energy, Volume };

// One counter of the settings image and the masked edit that shows it.
struct CounterField {
  QString name;   // form name of the edit, e.g. "metp1"
  QString label;  // "tp1:"
  CounterKind kind = CounterKind::Time;
  CounterFieldState state = CounterFieldState::Hidden;
  // The edit mask: "----" for a disabled field, else e.g. "00000:00;0;_" (literals are not part
  // of the text, "_" marks a blank).
  QString mask;
  // The text without the mask's literals.
  QString text;
  // 1-based image position of the counter (0 when hidden).
  int position = 0;
  // Energy only: the heat meter's two channels have different scale codes.
  bool scalesDiffer = false;

  // Digits in the text of an editable field: 7, 13 or 11.
  int TextDigits() const;
};

// The twelve counters in their order: tp1..tp5, Q1, Q3, G1..G5.
inline constexpr int kCounterCount = 12;
inline constexpr const char* kCounterNames[kCounterCount] = {"metp1", "metp2", "metp3", "metp4",
                                                             "metp5", "meQ1",  "meQ3",  "meG1",
                                                             "meG2",  "meG3",  "meG4",  "meG5"};
using CounterFields = std::array<CounterField, kCounterCount>;

// Sets up every field for the identified instrument, the scheme stored in it and the settings
// image just read: which fields exist (the family), which are editable (the scheme and the
// channels' pulse values), and where the decimal comma goes (the channels' scale codes). Texts
// are emptied.
CounterFields SetUpCounterFields(const SettingsImage& image, const TSchemeRecord& scheme);

// The field's text as its edit shows it, mask literals in place and "_" for a blank; "----" for
// a disabled field.
QString MaskedDisplay(const CounterField& field);
// The text of an edit that shows `display` (the characters at the mask's digit places).
QString TextOfDisplay(const CounterField& field, const QString& display);

// The counter's digits as read from the image (energy: 13 of the 14 stored digits).
QString ReadCounterText(const SettingsImage& image, const CounterField& field);
// Stores the digits of a validated text at the field's position as little-endian BCD.
void WriteCounterText(SettingsImage& image, const CounterField& field, const QString& digits);

}  // namespace vrx
