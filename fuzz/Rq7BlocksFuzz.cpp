// The RQ-7 unit's blocks of any content, each decoded as its tab does after reading it: the
// input (cut or padded with zeros to each block's length) as the 73-byte settings block, which
// "Считать" of "Инициализация RQ" shows and a write puts back, then as the clock block and the
// current-values block of "Текущие параметры RQ". The checksums of these two are made to match:
// the checksum protects against noise, not against content, so every content gets decoded.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/DeviceLink.h"
#include "model/Errors.h"
#include "rq7/Rq7Block.h"
#include "rq7/Rq7Form.h"
#include "rq7/Rq7Values.h"
#include "sim/CurrentBlockBuilder.h"

namespace {

std::vector<uint8_t> Block(const uint8_t* data, size_t size, int length) {
  std::vector<uint8_t> block(data, data + std::min(size, static_cast<size_t>(length)));
  block.resize(static_cast<size_t>(length));
  return block;
}

std::vector<uint8_t> SealedBlock(const uint8_t* data, size_t size, int length) {
  std::vector<uint8_t> block = Block(data, size, length);
  vrx::sim::SealBlock(block);
  return block;
}

void SettingsBlock(const uint8_t* data, size_t size) {
  std::vector<uint8_t> block = Block(data, size, vrx::DeviceLink::kUnitBlockLength);
  vrx::Rq7InitForm form = vrx::DefaultRq7Form();
  try {
    vrx::DecodeUnitBlock(block.data(), form);
    vrx::Rq7FormToJson(form);
    vrx::CheckUnitFlows(form);
    vrx::EncodeUnitBlock(form, block.data());
  } catch (const vrx::EOwned&) {
    // Refused with a message to the user.
  }
}

void ValueBlocks(const uint8_t* data, size_t size) {
  vrx::Rq7ValuesDisplay display;
  try {
    std::vector<uint8_t> clock = SealedBlock(data, size, vrx::kRq7ClockLength);
    vrx::ShowRq7Clock(clock.data(), display);
  } catch (const vrx::EOwned&) {
    // Not an RQ-7, or a digit above 9: refused, as the values block below may still be shown.
  }
  try {
    std::vector<uint8_t> values = SealedBlock(data, size, vrx::kRq7ValuesLength);
    vrx::ShowRq7Values(values.data(), display);
  } catch (const vrx::EOwned&) {
    // Refused with a message to the user.
  }
  vrx::Rq7ValuesToJson(display);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SettingsBlock(data, size);
  ValueBlocks(data, size);
  return 0;
}
