#pragma once

#include <cstdint>
#include <vector>

#include "sim/ByteProtocolInstrument.h"

namespace vrx::sim {

struct Rq7UnitConfig {
  // Sent after the identification byte 0xF1; the low nibble is the tens digit of the
  // sub-version (0x12 is sub-version 21).
  uint8_t subVersionByte = 0x12;
  uint32_t baudRate = 4800;
};

// The RQ-7 pulse-counting unit: it identifies itself (command 5) and hands out and takes its
// 73-byte settings block (commands 4, 0 and 18).
class Rq7Unit : public ByteProtocolInstrument {
 public:
  static constexpr uint8_t kIdentify = 5;
  static constexpr uint8_t kUnitCode = 0xF1;
  static constexpr int kBlockLength = 73;

  explicit Rq7Unit(const Rq7UnitConfig& config = {});

 protected:
  std::vector<uint8_t> AnswerCommand(uint8_t command) override;

 private:
  const uint8_t subVersionByte_;
};

}  // namespace vrx::sim
