#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "link/Connection.h"
#include "service/SettingsWrite.h"

namespace vrx {

// How a family keeps the pulse-value corrections: tenths of a percent up to `maxMagnitude`
// either way, the magnitude in `magnitudeBits`, the sign in `signBit`.
struct TicksRange {
  int maxMagnitude = 23;
  uint8_t magnitudeBits = 0x1F;
  uint8_t signBit = 0x80;
};

TicksRange TicksRangeOf(const TFamilyRecord& family);
uint8_t EncodeTicksCorrection(const TicksRange& range, int position);
// The decoded correction, which may lie beyond the slider's range.
int DecodeTicksCorrection(const TicksRange& range, uint8_t byte);
// "+0,3%", "-1,5%", "0,0%": tenths of a percent with the locale's decimal separator.
QString TicksCorrectionText(int tenths);

// "Коррекция цены импульса" without its widgets: one slider per channel over the correction
// bytes of the settings image; channels 3 and 4 only where the family measures temperature on
// them. The dialog mirrors the public state and calls the handlers.
class TicksCorrection {
 public:
  static constexpr int kChannels = 4;
  static constexpr const char* kDone = "Коррекции цен импульса установлены.";

  explicit TicksCorrection(Connection& connection);

  // Showing the dialog and "Обновить": prepares, failures swallowed (the panel stays empty).
  void FormShow();
  // "Считать": prepares (failures reported) and shows the instrument's corrections.
  void bnReadClick();
  // "Записать": the visible sliders into their bytes; the other bytes keep what the instrument
  // holds. Refused when another model is connected than was prepared.
  void bnWriteClick(const SettingsWrite& write);
  // A slider moved (index 0..3): all four value texts follow the sliders.
  void TrackBarChange(int index, int newPosition);
  // "Сброс": every slider to 0; the instrument is not touched.
  void bnResetClick();

  QString plDeviceType;
  std::array<bool, kChannels> groupVisible{true, true, true, true};
  std::array<int, kChannels> position{};
  std::array<QString, kChannels> text;
  int maximum = 23;
  // "Считать" and "Записать".
  bool buttonsEnabled = true;

 private:
  void Prepare();
  // Refuses the instruments without the correction.
  void RequireSupport() const;

  Connection& connection_;
  TicksRange range_;
  const TDeviceRecord* type_ = nullptr;
};

}  // namespace vrx
