#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "sim/ByteProtocolInstrument.h"
#include "sim/Faults.h"
#include "sim/Instrument.h"

namespace vrx::sim {

struct InterfaceModuleConfig {
  uint32_t baudRate = 38400;  // 4800, 9600, 19200 or 38400
  // Shown by the tool as "major.minor".
  uint8_t executionMajor = 2, executionMinor = 1;
  uint8_t versionMajor = 1, versionMinor = 4;
};

// The additional interface module: a Modbus RTU slave at address 0 on the instrument's line, at
// a speed of its own. It answers
//   0x11  identification (bytes 4 and 5 the hardware execution, 6 and 7 the software version),
//   0x03  reading and 0x10 writing of its 35 settings registers (big-endian),
//   0x50  the instrument's clock block and 0x51 its current-parameters block: the module puts
//         the request to the instrument as its command 6 or 8 and passes on what it answers,
//         the command echo (the leading byte) and the block. An instrument without the block
//         gets an exception reply (code 4).
// Every reply carries a correct CRC. Frames with another address or a wrong CRC get no answer.
//
// Faults armed with Arm() distort the next `times` answers:
//   NoReply            no answer at all;
//   ExceptionReply     exception code 4 instead of the answer;
//   WriteEchoMismatch  a write reply with start 1 and quantity 34 (the write is not taken);
//   OversizedCount     the byte count reads 255, the data as it would be.
//
// Thread-safe like every emulated instrument.
class InterfaceModule : public Instrument {
 public:
  static constexpr int kRegisterBytes = 70;
  using Registers = std::array<uint8_t, kRegisterBytes>;

  // `behind` is the instrument the module forwards 0x50 and 0x51 to; it must outlive the module.
  explicit InterfaceModule(ByteProtocolInstrument* behind,
                           const InterfaceModuleConfig& config = {});

  Reply OnByte(uint8_t byte) override;
  uint32_t BaudRate() const override { return config_.baudRate; }

  void Arm(ModuleFault fault, int times = 1);

  Registers RegisterBlock() const;
  void SetRegisterBlock(const Registers& registers);
  // The block as a module fresh from the factory holds it: address 1, time-out 15 (990 ms),
  // modem on with "ATS0=2".
  static Registers DefaultRegisters();

  // Every complete frame heard (CRC included), in order.
  std::vector<std::vector<uint8_t>> Frames() const;

  // Called after every register write the module took, outside its lock.
  using WriteObserver = std::function<void(const Registers&)>;
  void SetWriteObserver(WriteObserver observer);

 private:
  size_t ExpectedLength() const;
  std::vector<uint8_t> Answer(const std::vector<uint8_t>& frame, bool& wrote);
  std::vector<uint8_t> Exception(uint8_t function) const;

  ByteProtocolInstrument* const behind_;
  const InterfaceModuleConfig config_;
  mutable std::mutex mutex_;
  Registers registers_;
  std::vector<uint8_t> frame_;
  std::vector<std::vector<uint8_t>> frames_;
  ModuleFault armed_ = ModuleFault::NoReply;
  int armedTimes_ = 0;
  WriteObserver writeObserver_;
};

}  // namespace vrx::sim
