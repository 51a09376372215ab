#pragma once

#include <QDateTime>

#include "link/ConnectionState.h"
#include "link/InstrumentBuffer.h"
#include "stamp/PcClock.h"
#include "stamp/PcTimeConfirmation.h"

namespace vrx {

// Stamps settings blocks with the PC time before they are written: minute, hour, day, month and
// year modulo 100 as five BCD bytes. The engineer confirms the PC clock once per run for the
// heat calculator and once, separately, for the RQ-7 unit; the two flags are never reset.
//
// A refusal throws EAbort before anything is written: the calling write ends silently and the
// next stamp of that kind asks again.
class PcTimeStamp {
 public:
  static constexpr int kStampLength = 5;
  // Where the stamp lies in the RQ-7 unit's block.
  static constexpr int kInterfaceUnitPosition = 1;

  explicit PcTimeStamp(PcClock clock = CurrentPcTime);

  // Stamps the settings image in the buffer at the InitTime entry of the identified model's
  // layout. Throws std::logic_error when no identification chose a layout.
  void StampHeatCalculatorTime(PcTimeConfirmation& confirmation, InstrumentBuffer& buffer,
                               const ConnectionState& state);
  // Stamps the RQ-7 unit's block in the buffer at positions 1 to 5.
  void StampInterfaceUnitTime(PcTimeConfirmation& confirmation, InstrumentBuffer& buffer);

 private:
  void Stamp(bool& confirmed, PcTimeConfirmation& confirmation, InstrumentBuffer& buffer,
             int position);

  PcClock clock_;
  bool heatCalculatorConfirmed_ = false;
  bool interfaceUnitConfirmed_ = false;
};

// Writes the five stamp bytes of `time` at the 1-based position. Throws std::out_of_range
// when they do not fit into the buffer.
void WriteTimeStamp(InstrumentBuffer& buffer, int position, const QDateTime& time);

}  // namespace vrx
