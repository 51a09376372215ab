#include "sim/ByteProtocolInstrument.h"

#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

namespace vrx::sim {

namespace {

// Line noise appended by the StrayBytes fault; none of them is a command echo a test expects.
constexpr uint8_t kStrayBytes[] = {0x5A, 0xC3, 0x7E};

unsigned Bit(Fault fault) {
  return 1u << static_cast<unsigned>(fault);
}

bool IsBlockWrite(uint8_t command) {
  return command == ByteProtocolInstrument::kWriteAndErase ||
         command == ByteProtocolInstrument::kWriteKeepArchive;
}

}  // namespace

ByteProtocolInstrument::ByteProtocolInstrument(uint32_t baudRate, std::vector<uint8_t> image)
    : baudRate_(baudRate), image_(std::move(image)) {}

Reply ByteProtocolInstrument::OnByte(uint8_t byte) {
  std::optional<BlockWrite> taken;
  WriteObserver observer;
  Reply reply;
  {
    std::scoped_lock lock(mutex_);
    heard_.push_back(byte);
    reply = dataExpected_ > 0 ? OnDataByte(byte, taken) : OnCommandByte(byte);
    if (taken) {
      observer = writeObserver_;
    }
  }
  if (taken && observer) {
    observer(*taken);
  }
  return reply;
}

std::vector<uint8_t> ByteProtocolInstrument::Forward(uint8_t function) {
  std::scoped_lock lock(mutex_);
  return ForwardedBlock(function);
}

std::vector<uint8_t> ByteProtocolInstrument::ForwardedBlock(uint8_t) {
  return {};
}

uint32_t ByteProtocolInstrument::BaudRate() const {
  return baudRate_;
}

void ByteProtocolInstrument::Arm(Fault fault, int command, int skip) {
  if (skip < 0) {
    throw std::invalid_argument("fault skip count must not be negative");
  }
  std::scoped_lock lock(mutex_);
  armed_.push_back({fault, command, skip});
}

void ByteProtocolInstrument::DisarmAll() {
  std::scoped_lock lock(mutex_);
  armed_.clear();
}

void ByteProtocolInstrument::AbandonExchange() {
  std::scoped_lock lock(mutex_);
  dataExpected_ = 0;
  data_.clear();
  activeFaults_ = 0;
}

std::vector<uint8_t> ByteProtocolInstrument::Heard() const {
  std::scoped_lock lock(mutex_);
  return heard_;
}

void ByteProtocolInstrument::ClearHeard() {
  std::scoped_lock lock(mutex_);
  heard_.clear();
}

std::vector<uint8_t> ByteProtocolInstrument::Image() const {
  std::scoped_lock lock(mutex_);
  return image_;
}

void ByteProtocolInstrument::SetImage(std::vector<uint8_t> image) {
  std::scoped_lock lock(mutex_);
  if (image.size() != image_.size()) {
    throw std::invalid_argument("settings image of " + std::to_string(image.size()) +
                                " bytes, the instrument holds " + std::to_string(image_.size()));
  }
  image_ = std::move(image);
}

void ByteProtocolInstrument::RestoreImage(std::vector<uint8_t> image) {
  SetImage(std::move(image));
  std::scoped_lock lock(mutex_);
  ImageRestored();
}

int ByteProtocolInstrument::SettingsLength() const {
  std::scoped_lock lock(mutex_);
  return static_cast<int>(image_.size());
}

std::vector<BlockWrite> ByteProtocolInstrument::Writes() const {
  std::scoped_lock lock(mutex_);
  return writes_;
}

int ByteProtocolInstrument::ArchiveErasures() const {
  std::scoped_lock lock(mutex_);
  return archiveErasures_;
}

void ByteProtocolInstrument::SetWriteObserver(WriteObserver observer) {
  std::scoped_lock lock(mutex_);
  writeObserver_ = std::move(observer);
}

std::vector<uint8_t> ByteProtocolInstrument::AnswerCommand(uint8_t /*command*/) {
  return {};
}

Reply ByteProtocolInstrument::OnCommandByte(uint8_t command) {
  command_ = command;
  activeFaults_ = TakeFiringFaults(command);

  Reply reply;
  reply.atOtherSpeed = Active(Fault::ReplyAtOtherSpeed);
  if (IsBlockWrite(command)) {
    // The block follows; its bytes are echoed one by one as they arrive.
    dataExpected_ = image_.size();
  } else {
    dataExpected_ = DataLength(command);
  }
  data_.clear();
  std::vector<uint8_t> answer;
  if (command == kReadBlock) {
    answer = image_;
  } else if (!IsBlockWrite(command) && dataExpected_ == 0) {
    answer = AnswerCommand(command);
  }
  if (Active(Fault::NoReply)) {
    return reply;
  }

  const bool echo = EchoesCommand(command);
  if (echo) {
    reply.bytes.push_back(Active(Fault::WrongEcho) ? static_cast<uint8_t>(command ^ 0x80)
                                                   : command);
  }
  if (dataExpected_ > 0) {
    return reply;  // the answer of a write is its data echo
  }
  reply.bytes.insert(reply.bytes.end(), answer.begin(), answer.end());
  // A command without an answer of its own has only the echo to distort.
  if (!reply.bytes.empty()) {
    ApplyAnswerFaults(reply.bytes, answer.empty() || !echo ? 0 : 1);
  }
  return reply;
}

Reply ByteProtocolInstrument::OnDataByte(uint8_t byte, std::optional<BlockWrite>& taken) {
  const size_t index = data_.size();
  data_.push_back(byte);
  const bool last = data_.size() == dataExpected_;

  Reply reply;
  reply.atOtherSpeed = Active(Fault::ReplyAtOtherSpeed);
  if (!Active(Fault::NoReply)) {
    uint8_t echo = byte;
    if (Active(Fault::CorruptReply) && index == dataExpected_ / 2) {
      echo ^= 0x01;
    }
    if (!(last && Active(Fault::ShortReply))) {
      reply.bytes.push_back(echo);
    }
    if (last && Active(Fault::StrayBytes)) {
      reply.bytes.insert(reply.bytes.end(), std::begin(kStrayBytes), std::end(kStrayBytes));
    }
  }

  if (last) {
    dataExpected_ = 0;
    // An instrument that stayed silent did not take the block either.
    if (!Active(Fault::NoReply) && !IsBlockWrite(command_)) {
      DataTaken(command_, data_);
    } else if (!Active(Fault::NoReply)) {
      image_ = data_;
      writes_.push_back({command_, data_});
      taken = writes_.back();
      if (command_ == kWriteAndErase) {
        ++archiveErasures_;
      }
      BlockTaken();
    }
    data_.clear();
  }
  return reply;
}

unsigned ByteProtocolInstrument::TakeFiringFaults(uint8_t command) {
  unsigned firing = 0;
  for (auto it = armed_.begin(); it != armed_.end();) {
    if (it->command != kAnyCommand && it->command != command) {
      ++it;
    } else if (it->skip > 0) {
      --it->skip;
      ++it;
    } else {
      firing |= Bit(it->fault);
      it = armed_.erase(it);
    }
  }
  return firing;
}

bool ByteProtocolInstrument::Active(Fault fault) const {
  return (activeFaults_ & Bit(fault)) != 0;
}

void ByteProtocolInstrument::ApplyAnswerFaults(std::vector<uint8_t>& bytes,
                                               size_t answerStart) const {
  if (Active(Fault::CorruptReply)) {
    bytes[answerStart + (bytes.size() - answerStart) / 2] ^= 0x01;
  }
  if (Active(Fault::ShortReply)) {
    bytes.pop_back();
  }
  if (Active(Fault::StrayBytes)) {
    bytes.insert(bytes.end(), std::begin(kStrayBytes), std::end(kStrayBytes));
  }
}

}  // namespace vrx::sim
