#pragma once

// Fault-injection switches of the instrument emulator. The emulator and the tests share this
// header so that every error path of the tool can be provoked by name.

namespace vrx::sim {

enum class Fault {
  NoReply,            // the instrument stays silent: not even the command echo comes back
  ShortReply,         // the reply lacks its last byte
  WrongEcho,          // the command echo differs from the command byte
  CorruptReply,       // one byte of the reply (or of a data echo) differs from what it should be
  StrayBytes,         // a few unrelated bytes follow the reply
  ReplyAtOtherSpeed,  // the reply goes out at another line speed than the instrument listens at
  // Contents of the clock and current-parameters blocks (commands 6 and 8):
  WrongChecksum,  // the block's checksum does not match
  UnknownFamily,  // the clock block's type byte names no family
  UnknownScheme,  // the current block's scheme code is in no scheme list
  BadBcdDigit     // a BCD digit of the block is above 9
};

// Faults of the interface module (Modbus RTU).
enum class ModuleFault {
  NoReply,            // no answer at all
  ExceptionReply,     // an exception reply instead of the answer
  WriteEchoMismatch,  // a write reply that repeats another start address and quantity
  OversizedCount      // a reply whose byte count (255) no frame buffer of the tool can hold
};

// Matches any command byte when arming a fault.
inline constexpr int kAnyCommand = -1;

}  // namespace vrx::sim

namespace vrx::sim {

// Faults of the calibration commands of the heat calculator; each fires once.
enum class CalibrationFault {
  CoefficientOutOfRange,  // command 1 reports 65341, one below the lowest sound coefficient
  BlockReadsDiffer        // the second of two reads of the pressure block differs in one bit
};

}  // namespace vrx::sim

namespace vrx::sim {

// Faults of the line itself.
enum class LineFault {
  HangUp  // the line goes away in the middle of a reply, as a USB adapter pulled out of the PC
};

}  // namespace vrx::sim
