#pragma once

#include <QString>

namespace vrx {

// The number edits of the instrument number and the network address (and the RQ-7 unit's
// edits that share them): what typing may put in, and what the arrow keys make of the text.

// The typed characters an edit takes: the digits 0 to 9 and backspace. Every other character is
// dropped, so a key whose text changes here is refused as a whole.
QString NumberEditInput(const QString& typed);

// Arrow up (`up`) or down on the instrument number: up = (text, -1 when unreadable) + 1,
// down = (text, 1 when unreadable) - 1, clamped to 0..65535.
QString DeviceNumberStep(const QString& text, bool up);

// Arrow up or down on the network address: up = (text, 0 when unreadable) + 1,
// down = (text, 2 when unreadable) - 1, clamped to 1..62.
QString NetworkAddressStep(const QString& text, bool up);

}  // namespace vrx
