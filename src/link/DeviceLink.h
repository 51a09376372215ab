#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "link/ComPort.h"
#include "link/ConnectionState.h"
#include "link/CursorControl.h"
#include "link/InstrumentBuffer.h"
#include "link/LinkActivity.h"
#include "link/Pacer.h"
#include "link/WriteJournal.h"

namespace vrx {

// The byte protocol of the heat calculator and the RQ-7 unit: a command byte that the
// instrument echoes, optional data, and a reply of known length. Every failure raises; nothing
// is retried.
class DeviceLink {
 public:
  // The RQ-7 unit's block is always this long.
  static constexpr int kUnitBlockLength = 73;
  // The instrument needs this pause before every exchange.
  static constexpr int kPauseBeforeExchangeMs = 50;

  DeviceLink(TComPort& port, ConnectionState& state, InstrumentBuffer& buffer, Pacer& pacer,
             CursorControl& cursor);

  // One exchange. Data is sent when `data` is not empty, a reply of `length` bytes is read when
  // `reply` is not empty; when both are given the reply is the instrument's echo of the data and
  // must equal it. Both spans must hold at least `length` bytes.
  void DeviceExchange(uint8_t command, std::span<const uint8_t> data, std::span<uint8_t> reply,
                      bool checkEcho, int length);

  // Identifies the heat calculator and fills the connection state from the catalogue.
  void IdentifyDevice();
  // Reads the settings image (twice, compared) into the instrument buffer.
  void ReadSettings();
  // Writes the settings image with command 0 (erasing the archive) or 18, then reads it back;
  // the journal records it under `operation`.
  void WriteSettings(bool eraseArchive, const QString& operation);
  // Wakes the instrument through the OPX adapter; speedIndex is the speed selector's index
  // (0 = 4800 baud, 1 = 9600 baud).
  void WakeAdapter(int speedIndex);

  void IdentifyInterfaceUnit();
  void ReadUnitBlock();
  void WriteUnitBlock(bool erase, const QString& operation);

  // Length of the settings image of the identified instrument.
  int SettingsLength() const;

  // Every write of a block goes through the journal from here on.
  void SetJournal(WriteJournal* journal) { journal_ = journal; }
  // Every step is reported there from here on.
  void SetActivity(const LinkActivity* activity) { activity_ = activity; }

 private:
  using Block = std::array<uint8_t, InstrumentBuffer::kSize>;

  void ReadBlockTwice(Block& target, int length);
  void WriteBlockAndVerify(bool erase, int length, JournalBlock kind, const QString& operation);
  // What the instrument holds before a write: the block read last, when it was this kind of
  // block and nothing was identified since; otherwise it is read now.
  QByteArray BlockBefore(JournalBlock kind, int length);
  void Report(LinkStep step) const;

  TComPort& port_;
  ConnectionState& state_;
  InstrumentBuffer& buffer_;
  Pacer& pacer_;
  CursorControl& cursor_;
  WriteJournal* journal_ = nullptr;
  const LinkActivity* activity_ = nullptr;
  // The block read (or written and read back) last, while no identification came between.
  std::optional<JournalBlock> lastKind_;
  Block last_{};
};

}  // namespace vrx
