#pragma once

#include <QString>
#include <QTextStream>
#include <cstdint>

namespace vrx {

// Two upper-case hex digits.
QString HexByte(uint8_t byte);

// `count` bytes as hex, 16 to a line.
void PrintHexBlock(const uint8_t* bytes, int count, QTextStream& out);

}  // namespace vrx
