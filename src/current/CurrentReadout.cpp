#include "current/CurrentReadout.h"

#include <array>

#include "current/CurrentBlock.h"
#include "current/CurrentDecoder.h"
#include "link/ValueBlockExchange.h"
#include "model/Errors.h"

namespace vrx {

namespace {

constexpr uint8_t kCmdClock = 6;
constexpr uint8_t kCmdCurrent = 8;

void ReadBlock(Connection& c, uint8_t command, int length, bool endByte) {
  ReadValueBlock(c, command, length, endByte);
  CheckValueBlockSum(c.buffer.data(), length);
}

void ReadForwarded(Connection& c, bool clockBlock, int length) {
  ReadForwardedBlock(c, clockBlock);
  CheckValueBlockSum(c.buffer.data(), length);
}

}  // namespace

void ReadCurrentParams(Connection& c, CurrentPath path, Messages& messages,
                       CurrentDisplay& display) {
  if (path == CurrentPath::Opx)
    WakeOpxAdapter(c, messages);
  if (path == CurrentPath::Interface)
    ReadForwarded(c, true, kClockBlockLength);
  else
    ReadBlock(c, kCmdClock, kClockBlockLength, false);
  // The buffer takes the current-parameters block next.
  std::array<uint8_t, kClockBlockLength> clock{};
  std::copy_n(c.buffer.bytes.begin(), kClockBlockLength, clock.begin());
  ShowClocks(clock.data(), display);

  const BlockFamily family = FamilyOfClockBlock(clock.data());
  if (path == CurrentPath::Interface)
    ReadForwarded(c, false, family.length);
  else
    ReadBlock(c, kCmdCurrent, family.length, true);
  DecodeCurrentBlock(c.buffer.data(), family, c.state, display);
}

}  // namespace vrx
