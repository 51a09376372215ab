#pragma once

#include <QStringList>
#include <cstdint>

#include "rq7/Rq7Form.h"

namespace vrx {

// The RQ-7 unit's 73-byte settings block and the tab "Инициализация RQ": every offset, flag bit,
// three-way group and the clock correction.

// Fills the controls from a block. A BCD digit above 9 raises "Bad digit" and leaves `form`
// as it was.
void DecodeUnitBlock(const uint8_t* block, Rq7InitForm& form);

// Puts the controls into a block read from the unit; the time stamp (bytes 0-4) and the bits no
// control covers (byte 50 bit 5, byte 51 bits 5-7) keep what the block holds. A factory number
// or a flow text that is not a number raises the conversion error, a factory number above 65535
// (the block keeps it in a word) "Заводской номер должен быть от 0 до 65535". Flows are clamped
// to the word; CheckUnitFlows refuses those that do not fit.
void EncodeUnitBlock(const Rq7InitForm& form, uint8_t* block);

// The clock correction byte of a track bar position and back: bit 6 set for 0 and above, the
// magnitude in BCD below it.
uint8_t ClockCorrectionByte(int position);
// The position of a correction byte, and `l1`: a magnitude above 20 puts the bar at 0 and shows
// the byte's two digits followed by "h".
void DecodeClockCorrection(uint8_t value, Rq7InitForm& form);

// The flow range and pulse value checks, channel 1 then 2: range 1, range 2, pulse 1, pulse 2.
// Returns the messages of all that fail, in that order. A minimum flow above 65,535 fails the
// range check of its channel: the block keeps it in thousandths in a word. A flow text that is not
// a number raises the conversion error.
QStringList CheckUnitFlows(const Rq7InitForm& form);

}  // namespace vrx
