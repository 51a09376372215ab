#pragma once

#include <QDateTime>

#include "current/CurrentParams.h"
#include "report/Document.h"

namespace vrx {

// The report of the current values: the last readout of the tab "Текущие параметры" as it shows
// it, with the time of the readout, the path and the instrument. Throws EOwned saying what to do
// while the tab shows no readout (none yet in this run, or "Сброс" after it).
Document BuildCurrentReport(const CurrentParams& tab, const QDateTime& madeAt);

}  // namespace vrx
