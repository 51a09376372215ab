#include "sim/Rq7Unit.h"

namespace vrx::sim {

Rq7Unit::Rq7Unit(const Rq7UnitConfig& config)
    : ByteProtocolInstrument(config.baudRate, std::vector<uint8_t>(kBlockLength, 0)),
      subVersionByte_(config.subVersionByte) {}

std::vector<uint8_t> Rq7Unit::AnswerCommand(uint8_t command) {
  if (command == kIdentify) {
    return {kUnitCode, subVersionByte_};
  }
  return {};
}

}  // namespace vrx::sim
