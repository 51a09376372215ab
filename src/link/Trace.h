#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <cstdint>

namespace vrx {

// Every byte on the line can be traced as hex; off unless --trace (or QT_LOGGING_RULES) asks.
Q_DECLARE_LOGGING_CATEGORY(lcLink)

inline QByteArray HexBytes(const uint8_t* bytes, int count) {
  return QByteArray(reinterpret_cast<const char*>(bytes), count).toHex(' ').toUpper();
}

}  // namespace vrx
