#pragma once

#include <QString>
#include <QStringList>

namespace vrx {

// The tooltip of a button that writes to an instrument: what it writes and that the journal of
// writes keeps what the instrument held before. `window` is the form name of the button's window
// ("MainForm" for the tabs, the dialog's otherwise), `button` the button's. Empty for any other
// button.
QString WriteButtonTip(const QString& window, const QString& button);

// Every window and button that has such a tooltip, as "window/button".
QStringList WriteButtonsWithTips();

}  // namespace vrx
