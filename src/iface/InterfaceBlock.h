#pragma once

#include <array>
#include <cstdint>

#include "iface/InterfaceForm.h"

namespace vrx {

// The module's 35 settings registers as 70 bytes, each register high byte first:
//   0-1 network address, 2-3 factory number, 4-5 response time-out in units of 66 ms,
//   7 "Только текущие", 8-23 object description, 25 modem use, 26-65 modem initialization
//   string (texts in Windows-1251, zero bytes after a shorter one), the rest zero.
using InterfaceBlock = std::array<uint8_t, 70>;

// The block the tab's values write. Only the low 16 bits of a number are sent; the time-out is
// divided by 66 and rounded, halves to even. A number field that is not an integer raises the
// conversion error, a character that Windows-1251 cannot hold raises a message naming the field.
InterfaceBlock EncodeInterfaceBlock(const InterfaceForm& form);

// Fills the settings fields of the form from a block; a flag counts as set when its low byte is
// not 0, a text ends at its first zero byte.
void DecodeInterfaceBlock(const uint8_t* block, InterfaceForm& form);

// Shows the identification data: bytes 4 and 5 the hardware execution, 6 and 7 the software
// version, each as "byte.byte".
void DecodeInterfaceId(const uint8_t* data, InterfaceForm& form);

}  // namespace vrx
