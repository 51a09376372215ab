#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "model/Catalogue.h"
#include "sim/Faults.h"

namespace vrx::sim {

// The heat calculator's clock and current values: the replies to command 6 (clock block) and
// command 8 (current-parameters block). The clock runs from the time source; the counters grow
// with the time since the instrument started, so a fixed time source gives fixed blocks.
//
// Content faults (armed on command 6 or 8 like any other):
//   WrongChecksum   the block's last byte is off by one bit
//   UnknownFamily   the clock block's type byte names no family (13)
//   UnknownScheme   the current block's scheme code is not in any list (0x7F)
//   BadBcdDigit     a BCD digit above 9: the clock minutes, or heat meter 1's lowest digits
// Not thread-safe on its own: the instrument that owns it calls it under its lock.
class CurrentValues {
 public:
  using TimeSource = std::function<QDateTime()>;
  using FaultActive = std::function<bool(Fault)>;

  // An empty time source means the PC's local time.
  explicit CurrentValues(TimeSource now = {});

  // The replies, without the command echo. `settings` is the instrument's settings block.
  std::vector<uint8_t> ClockReply(const TDeviceRecord& type, uint8_t typeByte,
                                  const std::vector<uint8_t>& settings,
                                  const FaultActive& active) const;
  std::vector<uint8_t> CurrentReply(const TDeviceRecord& type, uint8_t typeByte,
                                    uint8_t versionByte, const std::vector<uint8_t>& settings,
                                    const FaultActive& active) const;

  // A settings block was written now: the clock block reports it as the last initialization.
  // Before any write it reports the time stamp the settings block holds.
  void SettingsWritten();

  // Bits to set in the generated current-parameters block (1-based position, mask), e.g. error
  // and status bits; the checksum is made over them.
  void SetBlockBits(int position, uint8_t mask);
  // Serve this block (data and checksum, as sent) for command 8 instead of the generated one.
  void ServeFixedBlock(std::vector<uint8_t> block);

  // Reads a fixed block from a text file: the line "vrx-sim current", then the block as hex, any
  // number of bytes a line. Throws std::runtime_error naming the file.
  static std::vector<uint8_t> LoadBlockFile(const QString& path);

 private:
  QDateTime Now() const;

  TimeSource now_;
  QDateTime started_;
  std::optional<QDateTime> lastWrite_;
  std::map<int, uint8_t> blockBits_;
  std::optional<std::vector<uint8_t>> fixedBlock_;
};

}  // namespace vrx::sim
