#include "cli/HexText.h"

namespace vrx {

QString HexByte(uint8_t byte) {
  return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

void PrintHexBlock(const uint8_t* bytes, int count, QTextStream& out) {
  for (int i = 0; i < count; ++i) {
    out << HexByte(bytes[i]) << ((i % 16 == 15 || i == count - 1) ? '\n' : ' ');
  }
}

}  // namespace vrx
