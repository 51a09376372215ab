#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "calibration/AdcSamples.h"

namespace vrx {

// A calibration record for the engineer's files: a header block of name;value lines (date,
// model, serial number where known, the reference values and the coefficient), an empty line,
// then the sample table with its titles, every cell as the grid shows it. Fields are separated
// by semicolons, since the decimal comma is part of the values.
using ProtocolHeader = std::vector<std::pair<QString, QString>>;

// The date line of a record: now, to the second.
QString ProtocolDate();

// Throws EOwned when the file cannot be written.
void WriteProtocol(const QString& path, const ProtocolHeader& header, const AdcSamples& samples);

}  // namespace vrx
