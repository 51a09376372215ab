#pragma once

#include <QDateTime>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "sim/ByteProtocolInstrument.h"

namespace vrx::sim {

struct Rq7UnitConfig {
  // Sent after the identification byte 0xF1; the low nibble is the tens digit of the
  // sub-version (0x12 is sub-version 21).
  uint8_t subVersionByte = 0x12;
  uint32_t baudRate = 4800;
  // The unit's clock; empty: the PC's local time. Tests fix it to get fixed blocks.
  std::function<QDateTime()> clock = {};
};

// The RQ-7 pulse-counting unit: it identifies itself (command 5), hands out and takes its
// 73-byte settings block (commands 4, 0 and 18), leaves initialization mode (command 3) and
// reports its clock (command 6, 13 bytes) and current values (command 8, 79 bytes), also to an
// interface module that forwards them. Commands 13 (end of a reading) and 0x80 (first command
// behind the OPX adapter) are only echoed.
//
// The values follow the settings block last written: its times, volumes, alarm clock, address,
// factory number and pulse values, with the operating times growing by the minutes the clock
// has run since and the volumes by the unit's fixed flows over that time.
//
// Content faults (armed for command 6 or 8): WrongChecksum spoils the block's checksum,
// UnknownFamily reports another unit type (0xF0) in the clock block, BadBcdDigit puts a digit
// above 9 into the block's first minutes field.
class Rq7Unit : public ByteProtocolInstrument {
 public:
  static constexpr uint8_t kLeaveInitMode = 3;
  static constexpr uint8_t kIdentify = 5;
  static constexpr uint8_t kClockBlock = 6;
  static constexpr uint8_t kValuesBlock = 8;
  static constexpr uint8_t kUnitCode = 0xF1;
  static constexpr int kBlockLength = 73;
  static constexpr int kClockLength = 13;
  static constexpr int kValuesLength = 79;

  explicit Rq7Unit(const Rq7UnitConfig& config = {});

  // How many times command 3 was heard.
  int InitModeExits() const;
  // The two bytes of active errors the values block reports.
  void SetActiveErrors(uint8_t first, uint8_t second);

  // The blocks as the unit would send them now, faults aside.
  std::vector<uint8_t> ClockBlock() const;
  std::vector<uint8_t> ValuesBlock() const;

 protected:
  std::vector<uint8_t> AnswerCommand(uint8_t command) override;
  void BlockTaken() override;
  void ImageRestored() override;
  std::vector<uint8_t> ForwardedBlock(uint8_t function) override;

 private:
  QDateTime Now() const;
  std::vector<uint8_t> BuildClock(bool otherType) const;
  std::vector<uint8_t> BuildValues() const;
  void ApplyContentFaults(std::vector<uint8_t>& block, int minutesOffset) const;

  const uint8_t subVersionByte_;
  const std::function<QDateTime()> clock_;
  int initModeExits_ = 0;
  // Minute, hour, day, month and year of the last write, as stamped into the block.
  std::array<uint8_t, 5> lastInit_{0x00, 0x12, 0x01, 0x01, 0x24};
  // When the values were set by the last write (or the unit started).
  QDateTime since_;
  std::array<uint8_t, 2> errors_{};
};

}  // namespace vrx::sim
