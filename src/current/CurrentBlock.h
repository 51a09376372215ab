#pragma once

#include <QString>
#include <cstdint>

#include "model/Catalogue.h"

namespace vrx {

// A received current-parameters block read through its family's layout. Positions are 1-based
// as the layout gives them; a position outside the block is a programming error
// (std::logic_error), since every field the layout names lies inside the block it describes.
class CurrentBlock {
 public:
  CurrentBlock(const uint8_t* bytes, int length, const CurrentParamsLayout& layout);

  int Position(CurrentField entry) const { return layout_[entry]; }
  bool Has(CurrentField entry) const { return layout_[entry] != 0; }

  uint8_t Byte(int position) const;
  // The byte `offset` places after the field's position.
  uint8_t Field(CurrentField entry, int offset = 0) const;
  // Bits above 7 are never set.
  bool Bit(int position, int bit) const;
  uint16_t WordLE(int position) const;
  uint16_t WordBE(int position) const;
  uint32_t Value24(int position) const;
  // Packed BCD digits, least significant byte first; throws EOwned "Bad digit".
  QString Bcd(int position, int digits) const;

 private:
  const uint8_t* bytes_;
  int length_;
  const CurrentParamsLayout& layout_;
};

// Everything the cell rules look at: the block and what the readout found from it.
struct CurrentContext {
  const CurrentBlock& block;
  const TFamilyRecord& family;
  const TDeviceRecord& type;
  const TSchemeRecord& scheme;
  bool supportsPmax = false;
  bool typeByte10 = false;
  uint8_t versionByte = 0;

  bool L1() const { return family.IsL1Family != 0; }
  uint32_t FamilyMask() const { return family.AllChannelFlags; }
  uint32_t SchemeMask() const { return scheme.Flags; }
  // The flags byte of the block.
  uint8_t Flags() const { return block.Field(FlagsByte); }
  // Channel k's code byte; a VRX-L1 keeps all channels in one byte.
  uint8_t CodeByte(int channel) const {
    return L1() ? block.Field(ChannelCodes) : block.Field(ChannelCodes, channel - 1);
  }
};

}  // namespace vrx
