#include "sim/InterfaceModule.h"

#include <algorithm>

namespace vrx::sim {

namespace {

constexpr uint8_t kAddress = 0;
constexpr uint8_t kFnReportId = 0x11;
constexpr uint8_t kFnReadHolding = 0x03;
constexpr uint8_t kFnWriteMultiple = 0x10;
constexpr uint8_t kFnClock = 0x50;
constexpr uint8_t kFnCurrent = 0x51;
constexpr uint8_t kExceptionBit = 0x80;
constexpr uint8_t kIllegalAddress = 0x02;
constexpr uint8_t kDeviceFailure = 0x04;
constexpr uint8_t kInstrumentClock = 6;
constexpr uint8_t kInstrumentCurrent = 8;
constexpr int kRegisterCount = InterfaceModule::kRegisterBytes / 2;
// Read request: address, function, start, quantity. Write request: the same and a byte count.
constexpr size_t kReadRequestLength = 6;
constexpr size_t kWriteHeaderLength = 7;
constexpr size_t kCrcLength = 2;

uint16_t Crc16(const uint8_t* bytes, size_t length) {
  uint16_t crc = 0xFFFF;
  for (size_t i = 0; i < length; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit)
      crc =
          (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
  }
  return crc;
}

std::vector<uint8_t> WithCrc(std::vector<uint8_t> frame) {
  const uint16_t crc = Crc16(frame.data(), frame.size());
  frame.push_back(static_cast<uint8_t>(crc & 0xFF));
  frame.push_back(static_cast<uint8_t>(crc >> 8));
  return frame;
}

int Word(const std::vector<uint8_t>& frame, size_t at) {
  return frame[at] << 8 | frame[at + 1];
}

void PutText(InterfaceModule::Registers& r, size_t at, const char* text) {
  for (size_t i = 0; text[i] != '\0'; ++i)
    r[at + i] = static_cast<uint8_t>(text[i]);
}

}  // namespace

InterfaceModule::InterfaceModule(ByteProtocolInstrument* behind,
                                 const InterfaceModuleConfig& config)
    : behind_(behind), config_(config), registers_(DefaultRegisters()) {}

InterfaceModule::Registers InterfaceModule::DefaultRegisters() {
  Registers r{};
  r[1] = 1;   // network address
  r[5] = 15;  // 15 x 66 ms
  r[25] = 1;  // modem in use
  PutText(r, 26, "ATS0=2");
  return r;
}

void InterfaceModule::Arm(ModuleFault fault, int times) {
  std::scoped_lock lock(mutex_);
  armed_ = fault;
  armedTimes_ = times;
}

InterfaceModule::Registers InterfaceModule::RegisterBlock() const {
  std::scoped_lock lock(mutex_);
  return registers_;
}

void InterfaceModule::SetRegisterBlock(const Registers& registers) {
  std::scoped_lock lock(mutex_);
  registers_ = registers;
}

std::vector<std::vector<uint8_t>> InterfaceModule::Frames() const {
  std::scoped_lock lock(mutex_);
  return frames_;
}

void InterfaceModule::SetWriteObserver(WriteObserver observer) {
  std::scoped_lock lock(mutex_);
  writeObserver_ = std::move(observer);
}

// RTU frames end with a pause on the line; the emulator sees bytes, not pauses, so it tells the
// end of a frame from its function code.
size_t InterfaceModule::ExpectedLength() const {
  if (frame_.size() < 2)
    return 2;
  switch (frame_[1]) {
    case kFnReadHolding:
      return kReadRequestLength + kCrcLength;
    case kFnWriteMultiple:
      return frame_.size() < kWriteHeaderLength ? kWriteHeaderLength
                                                : kWriteHeaderLength + frame_[6] + kCrcLength;
    default:
      return 2 + kCrcLength;
  }
}

Reply InterfaceModule::OnByte(uint8_t byte) {
  Reply reply;
  bool wrote = false;
  WriteObserver observer;
  Registers written{};
  {
    std::scoped_lock lock(mutex_);
    frame_.push_back(byte);
    if (frame_.size() < ExpectedLength())
      return reply;
    std::vector<uint8_t> frame;
    frame.swap(frame_);
    frames_.push_back(frame);
    const size_t body = frame.size() - kCrcLength;
    const uint16_t crc = static_cast<uint16_t>(frame[body] | frame[body + 1] << 8);
    if (frame[0] != kAddress || crc != Crc16(frame.data(), body))
      return reply;
    reply.bytes = Answer(frame, wrote);
    if (wrote) {
      observer = writeObserver_;
      written = registers_;
    }
  }
  if (wrote && observer)
    observer(written);
  return reply;
}

std::vector<uint8_t> InterfaceModule::Exception(uint8_t function) const {
  return WithCrc({kAddress, static_cast<uint8_t>(function | kExceptionBit), kDeviceFailure});
}

std::vector<uint8_t> InterfaceModule::Answer(const std::vector<uint8_t>& frame, bool& wrote) {
  const uint8_t function = frame[1];
  ModuleFault fault = ModuleFault::NoReply;
  const bool faulty = armedTimes_ > 0;
  if (faulty) {
    fault = armed_;
    --armedTimes_;
  }
  if (faulty && fault == ModuleFault::NoReply)
    return {};
  if (faulty && fault == ModuleFault::ExceptionReply)
    return Exception(function);

  std::vector<uint8_t> data;
  switch (function) {
    case kFnReportId:
      data = {kAddress,
              0xFF,
              0,
              0,
              config_.executionMajor,
              config_.executionMinor,
              config_.versionMajor,
              config_.versionMinor};
      break;
    case kFnReadHolding: {
      const int start = Word(frame, 2);
      const int count = Word(frame, 4);
      if (start + count > kRegisterCount)
        return WithCrc({kAddress, kFnReadHolding | kExceptionBit, kIllegalAddress});
      data.assign(registers_.begin() + 2 * start, registers_.begin() + 2 * (start + count));
      break;
    }
    case kFnWriteMultiple: {
      const int start = Word(frame, 2);
      const int count = Word(frame, 4);
      if (start + count > kRegisterCount || frame[6] != 2 * count)
        return WithCrc({kAddress, kFnWriteMultiple | kExceptionBit, kIllegalAddress});
      if (faulty && fault == ModuleFault::WriteEchoMismatch)
        return WithCrc({kAddress, kFnWriteMultiple, 0, 1, 0, kRegisterCount - 1});
      std::copy(frame.begin() + kWriteHeaderLength, frame.begin() + kWriteHeaderLength + 2 * count,
                registers_.begin() + 2 * start);
      wrote = true;
      return WithCrc({kAddress, kFnWriteMultiple, frame[2], frame[3], frame[4], frame[5]});
    }
    case kFnClock:
    case kFnCurrent: {
      const std::vector<uint8_t> block =
          behind_ ? behind_->Forward(function) : std::vector<uint8_t>{};
      if (block.empty())
        return Exception(function);
      data.push_back(function == kFnClock ? kInstrumentClock : kInstrumentCurrent);
      data.insert(data.end(), block.begin(), block.end());
      break;
    }
    default:
      return WithCrc({kAddress, static_cast<uint8_t>(function | kExceptionBit), 0x01});
  }
  std::vector<uint8_t> reply = {kAddress, function, static_cast<uint8_t>(data.size())};
  if (faulty && fault == ModuleFault::OversizedCount)
    reply[2] = 0xFF;
  reply.insert(reply.end(), data.begin(), data.end());
  return WithCrc(std::move(reply));
}

}  // namespace vrx::sim
