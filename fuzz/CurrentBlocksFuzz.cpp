// The tab "Текущие параметры" on a clock block and a current-parameters block of any content, as
// its readout decodes them once both checksums matched: the input is the 13-byte clock block,
// then the current-parameters block (cut or padded with zeros to the instrument buffer).
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "current/CurrentBlock.h"
#include "current/CurrentDecoder.h"
#include "current/CurrentDisplay.h"
#include "current/CurrentJson.h"
#include "link/ConnectionState.h"
#include "link/InstrumentBuffer.h"
#include "link/ValueBlockExchange.h"
#include "model/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < static_cast<size_t>(vrx::kClockBlockLength))
    return -1;
  const uint8_t* clock = data;
  vrx::InstrumentBuffer buffer;
  const size_t rest = std::min(size - vrx::kClockBlockLength, buffer.bytes.size());
  std::copy_n(data + vrx::kClockBlockLength, rest, buffer.bytes.begin());

  vrx::CurrentDisplay display;
  vrx::ConnectionState state;
  try {
    vrx::ShowClocks(clock, display);
    const vrx::BlockFamily family = vrx::FamilyOfClockBlock(clock);
    try {
      vrx::CheckValueBlockSum(buffer.data(), family.length);
    } catch (const vrx::EOwned&) {
      // The decoder is fuzzed on blocks whose sum is off as well.
    }
    vrx::DecodeCurrentBlock(buffer.data(), family, state, display);
  } catch (const vrx::EOwned&) {
    // Refused with a message to the user; the display keeps what was shown before.
  }
  vrx::ToJson(display);
  return 0;
}
