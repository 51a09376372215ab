#pragma once

#include <QStringList>
#include <cstdint>

#include "current/CurrentDisplay.h"
#include "link/ConnectionState.h"
#include "model/Catalogue.h"

namespace vrx {

// The clock block: 10 BCD bytes of the two clocks, the type byte, and the checksum.
inline constexpr int kClockBlockLength = 13;

// What the type byte of the clock block says about the block that follows.
struct BlockFamily {
  const TFamilyRecord* family = nullptr;
  bool typeByte10 = false;
  // The whole block to read: data bytes, the type-10 lengthening and the two checksum bytes.
  int length = 0;
};

// Texts as wide as the widest the named control of the tab shows, for sizing it so that nothing
// is cut: a channel cell's digits, the longest model name, a clock. Empty for the controls
// whose lines wrap (errors, status) and for the labels, which show fixed captions.
QStringList WidestTexts(const QString& name);

// "dd.mm.yy hh:mm" of both clocks into `stRTC` and `stIniRTC`.
void ShowClocks(const uint8_t* clockBlock, CurrentDisplay& display);

// The family of the type byte at position 11: 10 stands for 9 with four more bytes, codes from 4
// on are the VRX-L1 codes plus 4. Throws EOwned "Неподдерживаемая версия прибора" for a code the
// catalogue does not know.
BlockFamily FamilyOfClockBlock(const uint8_t* clockBlock);

// Everything after the current-parameters block arrived and passed its checksum: model, scheme,
// number, address, the left panel's texts, the label and cell visibility, the channel values,
// the error cells, the status line and the cold-water panel; finally shows the value panel. The
// connection state takes the family, version, Pmax support, type-10 flag, type and scheme the
// block gives. A lookup that fails raises its message and leaves what was shown before it.
void DecodeCurrentBlock(const uint8_t* block, const BlockFamily& blockFamily,
                        ConnectionState& state, CurrentDisplay& display);

}  // namespace vrx
