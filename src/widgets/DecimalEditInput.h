#pragma once

#include <QString>

namespace vrx {

// The typed characters an edit of a decimal number takes (the cold-water temperatures and
// pressure): the digits 0 to 9, "," , "." and backspace. Every other character is dropped, so a
// key whose text changes here is refused as a whole. Either separator may be typed; the check
// before initialization puts the locale's one in its place.
QString DecimalEditInput(const QString& typed);

}  // namespace vrx
