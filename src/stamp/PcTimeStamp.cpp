#include "stamp/PcTimeStamp.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "image/SettingsImage.h"
#include "model/Errors.h"
#include "model/NumberHelpers.h"

namespace vrx {

PcTimeStamp::PcTimeStamp(PcClock clock) : clock_(std::move(clock)) {}

void PcTimeStamp::StampHeatCalculatorTime(PcTimeConfirmation& confirmation,
                                          InstrumentBuffer& buffer, const ConnectionState& state) {
  // Resolved before asking, so a missing identification never shows the dialog.
  const int position = SettingsImage(buffer, state).FieldPos(SettingsField::InitTime);
  Stamp(heatCalculatorConfirmed_, confirmation, buffer, position);
}

void PcTimeStamp::StampInterfaceUnitTime(PcTimeConfirmation& confirmation,
                                         InstrumentBuffer& buffer) {
  Stamp(interfaceUnitConfirmed_, confirmation, buffer, kInterfaceUnitPosition);
}

void PcTimeStamp::Stamp(bool& confirmed, PcTimeConfirmation& confirmation, InstrumentBuffer& buffer,
                        int position) {
  if (!confirmed) {
    if (!confirmation.ConfirmPcTime()) {
      throw EAbort();
    }
    confirmed = true;
  }
  // One reading of the clock, so the five bytes cannot straddle a minute or a day.
  WriteTimeStamp(buffer, position, clock_());
}

void WriteTimeStamp(InstrumentBuffer& buffer, int position, const QDateTime& time) {
  if (position < 1 || position + PcTimeStamp::kStampLength - 1 > InstrumentBuffer::kSize) {
    throw std::out_of_range("time stamp position " + std::to_string(position));
  }
  const QDate date = time.date();
  const QTime clock = time.time();
  uint8_t* stamp = buffer.data() + position - 1;
  stamp[0] = ByteToBcd(clock.minute());
  stamp[1] = ByteToBcd(clock.hour());
  stamp[2] = ByteToBcd(date.day());
  stamp[3] = ByteToBcd(date.month());
  stamp[4] = ByteToBcd(date.year() % 100);
}

}  // namespace vrx
