#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "link/Connection.h"
#include "service/SettingsWrite.h"

namespace vrx {

// How one kind of instrument keeps its daily clock correction: at most `maxMagnitude` seconds a
// day either way, shifted by `offset` on the slider, the sign in `signBit` of the BCD byte.
struct RtcRange {
  QString panel;
  QString leftLabel;
  QString rightLabel;
  int maxMagnitude = 20;
  int offset = 1;
  uint8_t signBit = 0x40;
  // Where the "0" label sits above the slider, in pixels from the left.
  int zeroLabelX = 194;

  int Minimum() const { return -maxMagnitude - offset; }
  int Maximum() const { return maxMagnitude - offset; }
};

// The range of the identified instrument: the older VRX-L1 (type byte below 4) ±9, the other
// VRX-L1 ±25, every other model -21..+19.
RtcRange RtcRangeOf(const ConnectionState& state);
// The correction byte of a slider position.
uint8_t EncodeRtcCorrection(const RtcRange& range, int position);
// The slider position a correction byte stands for; nothing when it is no BCD number of the
// range.
std::optional<int> DecodeRtcCorrection(const RtcRange& range, uint8_t byte);

// "Автокоррекция RTC" without its widgets: the slider and its texts over the correction byte of
// the settings image. The dialog mirrors the public state and calls the handlers.
class RtcAutocorrection {
 public:
  static constexpr const char* kDone = "Автокоррекция RTC установлена.";

  explicit RtcAutocorrection(Connection& connection);

  // Showing the dialog and "Обновить": prepares for the connected instrument; a failure is
  // swallowed and leaves the panel empty.
  void FormShow();
  // "Считать": prepares (failures reported) and shows the instrument's correction.
  void bnReadClick();
  // "Записать": the slider's correction into the instrument, after checking that the same kind
  // of instrument is connected as was prepared. Nothing is written after a refusal.
  void bnWriteClick(const SettingsWrite& write);
  // The slider moved.
  void TrackBar1Change(int position);

  QString stDeviceType;
  QString Label2 = QStringLiteral("-21");
  QString Label3 = QStringLiteral("+19");
  int zeroLabelX = 194;
  int minimum = -21;
  int maximum = 19;
  int position = 0;
  QString l1 = QStringLiteral("0 сек/сутки");

 private:
  void Prepare();

  Connection& connection_;
  RtcRange range_;
  bool l1Family_ = false;
};

}  // namespace vrx
