#pragma once

#include <QByteArray>
#include <QDateTime>
#include <cstdint>
#include <string>
#include <vector>

namespace vrx::test {

// A block of the RQ-7 unit that sets something in every field and keeps bits no control covers
// (byte 50 bit 5, byte 51 bits 5-7). Its flows and pulse values pass every check.
inline std::vector<uint8_t> HandWrittenUnitBlock() {
  const QByteArray bytes = QByteArray::fromHex(
      "30 14 15 06 23"                       // stamp 14:30 15.06.23
      "67 45 23 01"                          // RQWTimeEdit 12345:67
      "02 01 00 00"                          // WTime1Edit 00001:02
      "59 99 99 09"                          // WTime2Edit 99999:59
      "00 00 00 00"                          // ETime1Edit
      "30 12 00 00"                          // ETime2Edit 00012:30
      "89 67 45 23 01 00"                    // meV1 00012345,6789
      "98 10 32 54 76 98"                    // meV2 98765432,1098
      "30 07 15 22"                          // meAl1 07:30, meAl2 22:15
      "05 39 30 05 09"                       // address 5, number 12345, pulse values 0,01 and 1
      "95 6A 45 B3 6C E3"                    // flags
      "EE 02 10 0E E7 03 90 00"              // flows 0,75 / 3,6 and 999 / 144
      "56 34 12 00 05 00 99 99 99 00 00 01"  // thresholds
      "55");                                 // clock correction +15
  return {bytes.begin(), bytes.end()};
}

// 23:59 on 31.12.2024: the stamp bytes 59 23 31 12 24.
inline QDateTime NewYearsEve() {
  return QDateTime(QDate(2024, 12, 31), QTime(23, 59, 42));
}

inline std::string HexOf(const std::vector<uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()))
      .toHex(' ')
      .toUpper()
      .toStdString();
}

}  // namespace vrx::test
