#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "sim/Faults.h"
#include "sim/Instrument.h"

namespace vrx::sim {

// One settings block the instrument accepted: the write command (0 or 18) and the data.
struct BlockWrite {
  uint8_t command = 0;
  std::vector<uint8_t> data;
  bool operator==(const BlockWrite&) const = default;
};

// An instrument that speaks the half-duplex byte protocol of the heat calculators and the RQ-7
// unit: it hears a command byte, echoes it and answers; a block write is followed by the block,
// which the instrument echoes byte by byte as it hears it.
//
// Every instrument of this protocol holds a settings block of fixed length: command 4 reads it,
// command 0 writes it and erases the archive, command 18 writes it and keeps the archive.
// Subclasses answer the other commands; a command nobody knows is only echoed.
//
// Faults armed with Arm() distort one whole exchange (the command byte and its data bytes):
//   NoReply            nothing comes back, not even the echo; data bytes are swallowed and a
//                      block write is not taken.
//   ShortReply         the last byte of the answer is missing (of the data echo for a write; of
//                      the echo itself when the command has no answer of its own).
//   WrongEcho          the command echo is a different byte.
//   CorruptReply       the middle byte of the answer (of the data echo for a write; the echo
//                      itself when there is no answer) has its lowest bit flipped.
//   StrayBytes         three unrelated bytes follow the answer (the data echo for a write).
//   ReplyAtOtherSpeed  every reply of the exchange goes out at another line speed.
//
// All public operations are thread-safe: the line calls OnByte from its own thread while tests
// arm faults and inspect the records.
class ByteProtocolInstrument : public Instrument {
 public:
  static constexpr uint8_t kWriteAndErase = 0;
  static constexpr uint8_t kReadBlock = 4;
  static constexpr uint8_t kWriteKeepArchive = 18;

  Reply OnByte(uint8_t byte) final;
  uint32_t BaudRate() const final;

  // Fires once, on the (skip + 1)-th exchange from now whose command matches. Several faults may
  // be armed at once; they count their exchanges independently.
  void Arm(Fault fault, int command = kAnyCommand, int skip = 0);
  void DisarmAll();

  // Forgets a block write that is still waiting for data bytes, as when the line was closed in
  // the middle of an exchange; the next byte heard is a command again.
  void AbandonExchange();

  // Every byte heard since construction or the last ClearHeard(), data bytes included.
  std::vector<uint8_t> Heard() const;
  void ClearHeard();

  std::vector<uint8_t> Image() const;
  // Throws std::invalid_argument unless the size is the instrument's block length.
  void SetImage(std::vector<uint8_t> image);
  // Takes back a block kept from an earlier run (vrx-sim --state): the image, and whatever the
  // instrument remembers of the write that put it there.
  void RestoreImage(std::vector<uint8_t> image);
  int SettingsLength() const;

  std::vector<BlockWrite> Writes() const;
  int ArchiveErasures() const;

  // Called after every block write the instrument took, on the thread that fed the last data
  // byte (the line's), once the instrument is unlocked again: the observer may call back into
  // it. An empty function removes the observer.
  using WriteObserver = std::function<void(const BlockWrite&)>;
  void SetWriteObserver(WriteObserver observer);

  // What the instrument hands an interface module that forwards Modbus function 0x50 (its clock
  // block) or 0x51 (its current-parameters block); see ForwardedBlock.
  std::vector<uint8_t> Forward(uint8_t function);

 protected:
  ByteProtocolInstrument(uint32_t baudRate, std::vector<uint8_t> image);

  // The bytes that follow the echo of a command other than 0, 4 and 18. Called with mutex_ held.
  virtual std::vector<uint8_t> AnswerCommand(uint8_t command);
  // A block write was taken. Called with mutex_ held.
  virtual void BlockTaken() {}
  // A block kept from an earlier run was restored. Called with mutex_ held.
  virtual void ImageRestored() {}
  // Whether a fault fires in the exchange in progress; for AnswerCommand.
  bool Active(Fault fault) const;
  // The settings block; for the hooks, which run with mutex_ held.
  const std::vector<uint8_t>& HeldImage() const { return image_; }
  // How many data bytes follow a command other than 0 and 18; they are echoed one by one like a
  // block write and handed to DataTaken. Called with mutex_ held.
  virtual size_t DataLength(uint8_t /*command*/) const { return 0; }
  virtual void DataTaken(uint8_t /*command*/, const std::vector<uint8_t>& /*data*/) {}
  // Whether the command byte is echoed before the answer. Called with mutex_ held.
  virtual bool EchoesCommand(uint8_t /*command*/) const { return true; }

  // The block the instrument gives for a forwarded function 0x50 or 0x51, without the leading
  // byte that the module puts in front of it; empty when the instrument has no such block, and
  // the module then answers with an exception reply. Called with mutex_ held.
  virtual std::vector<uint8_t> ForwardedBlock(uint8_t function);

  // Guards all state of this object and of subclasses; held while the hooks run.
  mutable std::mutex mutex_;

 private:
  struct ArmedFault {
    Fault fault;
    int command;
    int skip;
  };

  Reply OnCommandByte(uint8_t command);
  Reply OnDataByte(uint8_t byte, std::optional<BlockWrite>& taken);
  unsigned TakeFiringFaults(uint8_t command);
  void ApplyAnswerFaults(std::vector<uint8_t>& bytes, size_t answerStart) const;

  const uint32_t baudRate_;
  std::vector<uint8_t> image_;
  std::vector<BlockWrite> writes_;
  WriteObserver writeObserver_;
  int archiveErasures_ = 0;
  std::vector<uint8_t> heard_;
  std::vector<ArmedFault> armed_;

  // The exchange in progress.
  uint8_t command_ = 0;
  unsigned activeFaults_ = 0;
  size_t dataExpected_ = 0;
  std::vector<uint8_t> data_;
};

}  // namespace vrx::sim
