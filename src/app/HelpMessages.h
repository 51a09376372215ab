#pragma once

#include <QString>

namespace vrx {

// The anchor of a message's entry on the messages page of the help. The entries are the cells
// `<td class="msg">` of the page, each with its anchor; the parts of an entry set in italics
// stand for what the program puts in (a channel number, a file name, a reason). `message` is
// the text as the message box shows it; line breaks count as spaces. A text that no entry
// matches as a whole (a warning that lists several faults) leads to the entry of its first line
// that has one. Empty when none does.
QString MessageAnchor(const QString& page, const QString& message);

}  // namespace vrx
