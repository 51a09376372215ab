#pragma once

#include <QDateTime>
#include <array>
#include <cstdint>
#include <vector>

#include "model/Catalogue.h"

namespace vrx::sim {

// What the instrument reports about itself in its current-parameters block.
struct CurrentBlockSource {
  const TDeviceRecord* type = nullptr;
  bool typeByte10 = false;
  uint8_t versionByte = 0;
  // The settings block: serial number, address, scheme, channel codes, flags, cold water and the
  // agreed pressures and VRX-L1 thermometer codes are copied from it.
  std::vector<uint8_t> settings;
  // Seconds the instrument has been running: the counters grow with it, the temperatures, flows
  // and powers move.
  double runningSeconds = 0;
};

// The reply of command 8 of the type's family: the data bytes (four more for the type-10
// instrument) and the checksum. The counters start from fixed values and grow with a flow of
// about 1.5 m3/h per channel that swings a little over minutes.
std::vector<uint8_t> BuildCurrentBlock(const CurrentBlockSource& source);

// The reply of command 6: the clock and the last initialization (minute, hour, day, month,
// year, BCD), the type byte, the checksum.
std::vector<uint8_t> BuildClockBlock(const QDateTime& now, const std::array<uint8_t, 5>& lastInit,
                                     uint8_t typeByte);

// The five BCD bytes of a time as the clock block and the settings block keep it.
std::array<uint8_t, 5> BcdTime(const QDateTime& time);

// Replaces the last two bytes with the block's checksum: the 16-bit sum of the bytes before
// them, high byte first.
void SealBlock(std::vector<uint8_t>& block);

}  // namespace vrx::sim
