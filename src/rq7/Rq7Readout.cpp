#include "rq7/Rq7Readout.h"

#include "link/ValueBlockExchange.h"

namespace vrx {

namespace {

constexpr uint8_t kCmdClock = 6;
constexpr uint8_t kCmdValues = 8;

void ReadBlock(Connection& c, CurrentPath path, uint8_t command, int length) {
  if (path == CurrentPath::Interface)
    ReadForwardedBlock(c, command == kCmdClock);
  else
    ReadValueBlock(c, command, length, command == kCmdValues);
  CheckValueBlockSum(c.buffer.data(), length);
}

}  // namespace

void ReadRq7Values(Connection& c, CurrentPath path, Messages& messages, Rq7ValuesDisplay& display) {
  if (path == CurrentPath::Opx)
    WakeOpxAdapter(c, messages);
  ReadBlock(c, path, kCmdClock, kRq7ClockLength);
  ShowRq7Clock(c.buffer.data(), display);
  ReadBlock(c, path, kCmdValues, kRq7ValuesLength);
  ShowRq7Values(c.buffer.data(), display);
}

}  // namespace vrx
