#pragma once

#include <QByteArray>
#include <QString>

#include "link/ConnectionState.h"
#include "link/WriteJournal.h"

namespace vrx {

// The serial number a block carries, as the tabs show it: the device number of a settings image
// of the identified model, the RQ-7 unit's number, the interface module's. The pressure
// coefficient block carries none (empty).
QString SerialOf(JournalBlock block, const QByteArray& bytes, const ConnectionState& state);

}  // namespace vrx
