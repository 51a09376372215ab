#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace vrx {

// The tab "Текущие параметры RQ" without its widgets: the unit's clock block (13 bytes) and
// current-values block (79 bytes) decoded into the texts of the output fields, keyed by their
// form names.
using Rq7ValuesDisplay = QMap<QString, QString>;

inline constexpr int kRq7ClockLength = 13;
inline constexpr int kRq7ValuesLength = 79;

// The output fields in the order the tab lists them.
const QStringList& Rq7ValueFields();

// `stRQRTC` and `stIniRQRTC` from a clock block whose checksum was checked; a type byte other
// than 0xF1 raises "Подключенный прибор не RQ-7" before anything is shown. A BCD digit above 9
// raises "Bad digit".
void ShowRq7Clock(const uint8_t* block, Rq7ValuesDisplay& display);
// The channel columns, times, alarm clock, identity and errors from a checked values block.
void ShowRq7Values(const uint8_t* block, Rq7ValuesDisplay& display);

// A flow as shown: the value as 8 digits with "," before the last `decimals` (last of all with
// none), leading zeros stripped.
QString Rq7FlowText(uint32_t value, int decimals);

QJsonObject Rq7ValuesToJson(const Rq7ValuesDisplay& display);

}  // namespace vrx
