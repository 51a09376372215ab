#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

#include "report/Document.h"

namespace vrx {

// What the documents share.

// "0x1E, подверсия 30": the version byte and the sub-version of an identification.
QString FirmwareText(uint8_t versionByte, uint8_t subVersion);

// The time a document was made, to the second.
QString MadeAtText(const QDateTime& madeAt);

// The lines to sign on an acceptance document: who did the work (`performer`, "Настройку
// выполнил"), the heat supplier's and the consumer's representatives.
DocumentSignatures Signatures(const QString& performer);

}  // namespace vrx
