#pragma once

#include <cstdint>

#include "link/Connection.h"
#include "model/Messages.h"

namespace vrx {

// The steps the current-value readouts of the heat calculator and of the RQ-7 unit share.

// Wakes the instrument behind the OPX adapter and sends it command 0x80, with 7000 ms for the
// first answer and 1500 ms again afterwards. Without DSR the user is told "Подключите адаптер
// OPX к порту ПК" and the wake-up goes on.
void WakeOpxAdapter(Connection& connection, Messages& messages);

// Reads a block of `length` bytes into the instrument buffer with `command` over the cable and
// afterwards, also when that failed, closes the reading with command 13 and, with `endByte`,
// the lone byte 0x0D written without waiting. The exchange's own error is the one reported.
void ReadValueBlock(Connection& connection, uint8_t command, int length, bool endByte);

// Raises "Несовпадение контрольной суммы" unless the last two bytes of the block, high byte
// first, equal the 16-bit sum of all the bytes before them: the clock and values blocks of the
// heat calculator and of the RQ-7 unit all end so.
void CheckValueBlockSum(const uint8_t* block, int length);

// Reads a block forwarded by the interface module (its leading byte dropped) into the
// instrument buffer: function 0x50 for the clock block, else 0x51.
void ReadForwardedBlock(Connection& connection, bool clockBlock);

}  // namespace vrx
